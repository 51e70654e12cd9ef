#include "log/TerminalEcho.h"

#include "log/JsonEvents.h"
#include "platform/TextFormat.h"

#include <QStringList>

#include <algorithm>

#include <unistd.h>

namespace {

constexpr const char *ClearToEndOfLine = "\x1b[K";

void WriteUtf8(std::FILE *file, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
}

} // namespace

TerminalEcho::TerminalEcho(std::FILE *out, std::FILE *err, ProgressStyle style, Format format)
    : m_out(out), m_err(err), m_style(style), m_format(format)
{
}

TerminalEcho::ProgressStyle TerminalEcho::StyleFor(std::FILE *err)
{
    return ::isatty(::fileno(err)) != 0 ? ProgressStyle::InPlace : ProgressStyle::EveryTenPercent;
}

void TerminalEcho::LogText(const QString &text)
{
    QString lines = text;
    lines.remove(QLatin1Char('\r'));
    const std::lock_guard lock(m_mutex);
    if (m_format == Format::Json) {
        // One event per line of the plain output, so that the two match
        // line for line.
        for (const QString &line : lines.split(QLatin1Char('\n'))) {
            WriteJson(jsonevents::LogLine(line));
            WriteJson(jsonevents::ChecksumOf(line));
        }
        return;
    }
    // Standard output and standard error often share one terminal: the
    // progress line gives way and comes back with the next update.
    ClearInPlaceLine();
    WriteUtf8(m_out, lines + QLatin1Char('\n'));
    // Flushed line by line: a script reading the pipe sees each line when
    // the window shows it, not when a buffer fills.
    std::fflush(m_out);
}

void TerminalEcho::SetPhase(const QString &phase)
{
    const std::lock_guard lock(m_mutex);
    if (m_format == Format::Json && phase != m_phase && !phase.isEmpty())
        WriteJson(jsonevents::Phase(phase));
    m_phase = phase;
}

void TerminalEcho::SetRange(int low, int high)
{
    const std::lock_guard lock(m_mutex);
    m_low = low;
    m_high = high;
}

void TerminalEcho::SetPosition(int position)
{
    const std::lock_guard lock(m_mutex);
    m_position = position;
    DrawProgress(Trigger::Position);
}

void TerminalEcho::SetPercentText(const QString &text)
{
    const std::lock_guard lock(m_mutex);
    m_percentText = text;
    DrawProgress(Trigger::PercentText);
}

void TerminalEcho::SetTimeLeftText(const QString &text)
{
    const std::lock_guard lock(m_mutex);
    m_timeLeft = text;
}

void TerminalEcho::SetProgressFormat(const QString &format)
{
    const std::lock_guard lock(m_mutex);
    m_lineFormat = format;
}

void TerminalEcho::EndProgress()
{
    const std::lock_guard lock(m_mutex);
    ClearInPlaceLine();
    m_lastTenth = -1;
    m_lastPercent = -1;
    m_position = m_low;
    m_percentText.clear();
    m_timeLeft.clear();
}

void TerminalEcho::Final(const QString &text)
{
    const std::lock_guard lock(m_mutex);
    ClearInPlaceLine();
    std::fflush(m_out);
    WriteUtf8(m_err, text + QLatin1Char('\n'));
    std::fflush(m_err);
}

void TerminalEcho::Notice(const QString &text)
{
    const std::lock_guard lock(m_mutex);
    const bool redraw = m_lineShown;
    ClearInPlaceLine();
    std::fflush(m_out);
    WriteUtf8(m_err, text + QLatin1Char('\n'));
    std::fflush(m_err);
    if (redraw)
        DrawProgress(Trigger::Position);
}

void TerminalEcho::End(int status, const QString &reason)
{
    const std::lock_guard lock(m_mutex);
    if (m_format == Format::Json)
        WriteJson(jsonevents::End(status, reason));
}

void TerminalEcho::WriteJson(const QByteArray &line)
{
    if (line.isEmpty())
        return;
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), m_out);
    std::fflush(m_out);
}

int TerminalEcho::Percent() const
{
    if (m_high <= m_low)
        return 0;
    const long long span = static_cast<long long>(m_high) - m_low;
    const long long done = std::clamp<long long>(static_cast<long long>(m_position) - m_low, 0, span);
    return static_cast<int>(done * 100 / span);
}

void TerminalEcho::DrawProgress(Trigger trigger)
{
    if (m_format == Format::Json) {
        // A bar that starts again (the verify after the write) counts again.
        const int percent = Percent();
        if (trigger == Trigger::Position && percent != m_lastPercent) {
            m_lastPercent = percent;
            WriteJson(jsonevents::Progress(m_phase, percent));
        }
        return;
    }
    if (m_style == ProgressStyle::InPlace) {
        const QString line = FormatText(m_lineFormat, {m_phase, m_percentText, m_timeLeft}).trimmed();
        std::fputs("\r", m_err);
        WriteUtf8(m_err, line);
        std::fputs(ClearToEndOfLine, m_err);
        std::fflush(m_err);
        m_lineShown = true;
        return;
    }
    // Counted from the bar alone: an erase moves the bar before it changes
    // its percent text, so the text may lag one tick behind.
    if (trigger != Trigger::Position)
        return;
    const int percent = Percent();
    const int tenth = percent / 10;
    // A bar that starts again (the verify after the write, an erase's
    // overtime) counts its tenths again.
    if (tenth < m_lastTenth)
        m_lastTenth = -1;
    if (tenth <= m_lastTenth)
        return;
    m_lastTenth = tenth;
    const QString percentText = QString::number(percent) + QStringLiteral(" %");
    const QString line = FormatText(m_lineFormat, {m_phase, percentText, m_timeLeft}).trimmed();
    WriteUtf8(m_err, line + QLatin1Char('\n'));
    std::fflush(m_err);
}

void TerminalEcho::ClearInPlaceLine()
{
    if (!m_lineShown)
        return;
    std::fputs("\r", m_err);
    std::fputs(ClearToEndOfLine, m_err);
    std::fflush(m_err);
    m_lineShown = false;
}
