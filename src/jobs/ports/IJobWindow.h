#pragma once

#include <QString>

// What the recording jobs need from the main window: log lines, language
// texts, the status line and message boxes. The main window implements it;
// tests implement it to record what a job showed. Every operation may be
// called from any thread; the main window marshals to the GUI thread.
class IJobWindow
{
public:
    virtual ~IJobWindow() = default;

    // Appends one raw line to the log pane.
    virtual void AppendLog(const QString &line) = 0;
    // Appends the language text with this number as one line.
    virtual void AppendLogText(int textId) = 0;
    // The language text with this number (the lookup of the text source).
    virtual QString GetText(int textId) const = 0;
    // Sets the status line (m_strStatus) and shows it at once.
    virtual void SetStatusText(const QString &status) = 0;
    // The window's own message box; type combines mb:: buttons, icon and
    // default button. Answers an mb::Answer.
    virtual int ShowMessageBox(const QString &text, const QString &caption, unsigned type) = 0;
};
