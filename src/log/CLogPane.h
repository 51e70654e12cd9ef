#pragma once

#include <QPointer>
#include <QString>

class QPlainTextEdit;

// The log pane: the main window's read-only multi-line edit, holding the log
// as its only copy. Lines are appended at the end (never by rewriting the
// whole text, so an append costs the same however long the log is), and the
// last line is kept in view.
//
// Every operation may be called from any thread. Calls from other threads
// are queued to the GUI thread in the order they were made; each appended
// text arrives whole, so lines of different threads never mix.
class CLogPane
{
public:
    CLogPane() = default;
    explicit CLogPane(QPlainTextEdit *edit);

    // Adds text as the last line: the first line of an empty pane has no
    // break before it, every later one exactly one. Line breaks inside text
    // (LF or CR LF) make several lines; carriage returns are not kept.
    void Append(const QString &text);
    // Empties the pane.
    void Clear();
    // The pane's text, lines separated by LF. From another thread this
    // waits until every append queued before it has been shown.
    QString Text() const;
    // Number of lines the pane shows (1 for an empty pane).
    int LineCount() const;

private:
    static void AppendTo(QPlainTextEdit &edit, const QString &text);

    QPointer<QPlainTextEdit> m_edit;
};
