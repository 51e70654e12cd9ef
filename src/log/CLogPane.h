#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <mutex>

class QPlainTextEdit;

// The log pane: the main window's read-only multi-line edit, holding the log
// as its only copy. Lines are appended at the end (never by rewriting the
// whole text, so an append costs the same however long the log is), and the
// last line is kept in view.
//
// Every operation may be called from any thread. On the GUI thread it takes
// effect at once; from other threads it is queued to the GUI thread in the
// order the calls were made, and the GUI thread applies it before any later
// operation of its own. Each appended text arrives whole, so lines of
// different threads never mix.
class CLogPane
{
public:
    CLogPane();
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
    // Hands every text the pane shows, as it shows it (lines separated by
    // LF), also to echo; the command-line run writes it to the terminal.
    // GUI thread, before the first append that is to be echoed.
    void SetEcho(std::function<void(const QString &)> echo);

private:
    // What other threads asked for and the GUI thread has not applied yet.
    struct Pending
    {
        bool clearFirst = false;
        QStringList texts;
    };
    // Shared by copies of the pane and by the queued calls that apply the
    // pending operations, which may outlive the pane.
    struct Shared
    {
        QPointer<QPlainTextEdit> edit;
        std::mutex mutex;
        Pending pending;
        bool applyQueued = false;
        // GUI thread only.
        std::function<void(const QString &)> echo;
    };

    // Changes the pending operations under the lock and makes sure a call
    // that applies them is queued to the GUI thread.
    static void Queue(const std::shared_ptr<Shared> &shared, const std::function<void(Pending &)> &change);
    // GUI thread only: applies what other threads queued.
    static void ApplyPending(Shared &shared);
    static void AppendTexts(Shared &shared, const QStringList &texts);

    std::shared_ptr<Shared> m_shared;
};
