// The window services the jobs use: log pane, texts, status line and
// message boxes; and the log file.
#include "app/CBurnDlg.h"

#include "TextIds.h"

#include "lang/CLanguageText.h"
#include "log/LogFile.h"
#include "log/LogLineText.h"
#include "log/LogTimeText.h"
#include "log/RegistryRead.h"
#include "platform/GuiThread.h"
#include "platform/MessageBoxType.h"
#include "platform/RegistryStore.h"
#include "platform/TextFormat.h"
#include "platform/WindowMessageBox.h"

#include <QDateTime>

void CBurnDlg::AppendLog(const QString &line)
{
    m_logPane.Append(LogLineText(line));
}

void CBurnDlg::AppendLogText(int textId)
{
    AppendLogLines(GetText(textId));
}

void CBurnDlg::AppendLogLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        line = LogLineText(line);
    }
    m_logPane.Append(lines.join(QLatin1Char('\n')));
}

QString CBurnDlg::GetText(int textId) const
{
    return m_pLang->GetText(textId);
}

void CBurnDlg::SetStatusText(const QString &status)
{
    EchoStatus(status);
    RunOnGuiThread(
        [this, status] {
            m_strStatus = status;
            UpdateData(Exchange::ToControls);
        },
        Blocking::Wait);
}

int CBurnDlg::ShowMessageBox(const QString &text, const QString &caption, unsigned type)
{
    int answer = mb::IdCancel;
    RunOnGuiThread(
        [this, &answer, &text, &caption, type] {
            // A question must not wait unseen behind a minimised window.
            showNormal();
            NoteErrorBox(text, type);
            answer = RunMessageBox(this, text, caption, type);
        },
        Blocking::Wait);
    return answer;
}

QString CBurnDlg::GetLogText() const
{
    return m_logPane.Text();
}

void CBurnDlg::WriteLogFile(int kind, const QString &path)
{
    const int templateId = LogFileTemplateId(kind);
    const QString templ = templateId != 0 ? GetText(templateId) : QString();
    QString volume;
    RunOnGuiThread([this, &volume] { volume = m_strVolume; }, Blocking::Wait);
    const QString target = path.isEmpty() ? AutomaticLogPath(DesktopFolder(m_registry), volume) : path;
    // One time for both fields of the file. The text stays local rather
    // than going through the m_strMsg scratch: this may run on a worker
    // while the GUI thread uses the scratch.
    const QString timeText = LogTimeText(QDateTime::currentDateTime());
    const QString failure = WriteLogFileText(target, LogFileText(templ, timeText, volume, GetLogText()));
    // The burn is done; what failed here is only the log file, so it is
    // told, not made the run's status.
    if (!failure.isEmpty())
        AppendNotice(FormatText(GetText(textid::LogFileNotWritten), {target, failure}));
}

void CBurnDlg::OnClearLog()
{
    m_logPane.Clear();
}
