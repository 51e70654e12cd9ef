#pragma once

#include <QString>

#include <cstdio>
#include <mutex>

// The command-line run's voice on a terminal: every line the log pane shows
// goes to standard output as it is shown, and while a burn, verify or erase
// runs its progress goes to standard error. Holds no widget, so tests drive
// it with plain files.
//
// With --json (Format::Json) standard output carries JSON lines instead
// (log/JsonEvents.h): each log line, each phase change, the progress at most
// once per percent and, from End(), the run's status. Standard error then
// holds only the notices and the final reason line.
//
// Every operation may be called from any thread; one lock keeps a log line
// and a progress update from interleaving.
class TerminalEcho
{
public:
    // How progress reaches standard error: rewritten in place on a terminal;
    // one line per 10 % when it is a file or a pipe that a person reads later.
    enum class ProgressStyle { InPlace, EveryTenPercent };

    enum class Format { Plain, Json };

    TerminalEcho(std::FILE *out, std::FILE *err, ProgressStyle style, Format format = Format::Plain);

    TerminalEcho(const TerminalEcho &) = delete;
    TerminalEcho &operator=(const TerminalEcho &) = delete;

    // The style standard error calls for.
    static ProgressStyle StyleFor(std::FILE *err);

    // Writes text as the log pane shows it: each line break starts a new
    // line; the text ends with one. UTF-8.
    void LogText(const QString &text);

    // The progress display: the phase (the status line), the percent and
    // time-left texts as the window shows them, and the bar's position in
    // its range. Position and percent updates redraw the line.
    void SetPhase(const QString &phase);
    void SetRange(int low, int high);
    void SetPosition(int position);
    void SetPercentText(const QString &text);
    void SetTimeLeftText(const QString &text);
    // The line format (one string each: phase, percent, time left).
    void SetProgressFormat(const QString &format);
    // A job is over: the in-place line goes, the next job counts from 0.
    void EndProgress();

    // The last word before the process ends: removes an in-place progress
    // line and writes text as one line on standard error.
    void Final(const QString &text);
    // A line on standard error beside the log: what failed while the run's
    // status stands. An in-place progress line is redrawn below it.
    void Notice(const QString &text);
    // The run's exit status and reason (empty after a success): the last
    // JSON line; nothing in the plain format.
    void End(int status, const QString &reason);

private:
    enum class Trigger { Position, PercentText };
    void DrawProgress(Trigger trigger);
    void ClearInPlaceLine();
    int Percent() const;
    void WriteJson(const QByteArray &line);

    std::FILE *m_out;
    std::FILE *m_err;
    ProgressStyle m_style;
    Format m_format;
    std::mutex m_mutex;
    QString m_phase;
    QString m_percentText;
    QString m_timeLeft;
    QString m_lineFormat = QStringLiteral("%s %s %s");
    int m_low = 0;
    int m_high = 100;
    int m_position = 0;
    // The last tenth written in the EveryTenPercent style; -1 before any.
    int m_lastTenth = -1;
    // The last percent written as JSON; -1 before any.
    int m_lastPercent = -1;
    bool m_lineShown = false;
};
