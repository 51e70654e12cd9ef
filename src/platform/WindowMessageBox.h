#pragma once

#include <QString>

class QWidget;

// The message box every window of the program shows through its own
// message-box operation. type combines mb:: buttons, icon and default
// button; the result is an mb::Answer.
//
// Without a display (the offscreen platform of tests and unattended runs)
// nobody could answer, so the caption and text go to standard error and the
// box answers its default button at once.
int RunMessageBox(QWidget *owner, const QString &text, const QString &caption, unsigned type);

// The answer of the box's default button: No (or Cancel) when the type
// names the second button as default, otherwise OK or Yes.
int DefaultMessageBoxAnswer(unsigned type);

// False on the platforms that show nothing (offscreen, minimal).
bool HasDisplay();

// Whether a box without a display echoes its caption and text to standard
// error (on unless the command line asked for quiet). Any thread.
void SetMessageBoxEcho(bool echo);
