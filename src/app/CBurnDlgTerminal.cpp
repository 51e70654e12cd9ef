// The command-line run on a terminal: the log pane's lines on standard
// output, the progress on standard error, and what the run knows about why
// it failed.
#include "app/CBurnDlg.h"

#include "TextIds.h"
#include "log/TerminalEcho.h"
#include "platform/GuiThread.h"
#include "platform/MessageBoxType.h"

namespace {

// A reason is one line: box texts may hold paragraphs.
QString OneLine(const QString &text)
{
    return text.simplified();
}

} // namespace

void CBurnDlg::SetTerminalEcho(std::shared_ptr<TerminalEcho> terminal)
{
    m_terminal = std::move(terminal);
    if (!m_terminal) {
        m_logPane.SetEcho({});
        return;
    }
    m_logPane.SetEcho([terminal = m_terminal](const QString &text) { terminal->LogText(text); });
}

void CBurnDlg::SetNoticeEcho(std::shared_ptr<TerminalEcho> terminal)
{
    m_notices = std::move(terminal);
}

void CBurnDlg::AppendNotice(const QString &line)
{
    AppendLog(line);
    if (m_notices)
        m_notices->Notice(line);
}

void CBurnDlg::EchoStatus(const QString &status)
{
    if (m_terminal)
        m_terminal->SetPhase(status);
}

void CBurnDlg::EchoBusy(bool busy)
{
    if (!m_terminal)
        return;
    if (busy) {
        m_terminal->SetProgressFormat(GetText(textid::ProgressLine));
        m_terminal->SetRange(0, 100);
    } else {
        m_terminal->EndProgress();
    }
}

void CBurnDlg::NoteErrorBox(const QString &text, unsigned type)
{
    if ((type & mb::IconMask) == mb::IconStop)
        m_strLastError = OneLine(text);
}

QString CBurnDlg::FailureCause() const
{
    QString cause;
    RunOnGuiThread([this, &cause] { cause = m_strLastError; }, Blocking::Wait);
    const QString library = OneLine(m_jobs.State().m_strLibraryErrors);
    if (!library.isEmpty() && !cause.contains(library))
        cause = cause.isEmpty() ? library : cause + QStringLiteral(" (") + library + QLatin1Char(')');
    return cause;
}
