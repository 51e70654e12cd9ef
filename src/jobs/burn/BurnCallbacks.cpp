#include "jobs/burn/BurnCallbacks.h"

#include "TextIds.h"
#include "jobs/RecordingState.h"
#include "jobs/RecordingTexts.h"
#include "jobs/burn/PhaseTexts.h"
#include "platform/GuiThread.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"
#include "recorder/LibraryAdapters.h"

#include <QCoreApplication>

#include <cstring>
#include <ctime>

namespace {

constexpr char RequiredFilePrefix[] = "Required file";
constexpr char ReallocationFailedLine[] = "DVD-Video files reallocation failed";

// The library hands each callback the context it was given: the object.
BurnCallbacks &From(void *context)
{
    return *static_cast<BurnCallbacks *>(context);
}

int IdleTrampoline(void *context)
{
    return From(context).OnIdle();
}

int UserDialogTrampoline(void *context, int dialogType, void *data)
{
    return From(context).OnUserDialog(dialogType, data);
}

int ProgressTrampoline(void *context, int percent)
{
    return From(context).OnProgress(percent);
}

int AbortTrampoline(void *context)
{
    return From(context).OnAbortQuery();
}

void LogLineTrampoline(void *context, int /*textType*/, const char *text)
{
    From(context).OnLogLine(text);
}

void PhaseTrampoline(void *context, const char *text)
{
    From(context).OnPhase(text);
}

QString FromLibrary(const char *text)
{
    return text != nullptr ? QString::fromUtf8(text) : QString();
}

} // namespace

BurnCallbacks::BurnCallbacks(const JobPorts &ports, RecordingState &state)
    : m_ports(ports), m_state(state), m_now([] { return static_cast<int64_t>(std::time(nullptr)); })
{
}

void BurnCallbacks::SetClock(std::function<int64_t()> now)
{
    m_now = std::move(now);
}

void BurnCallbacks::FillLibrarySettings(RecLibSettings &settings)
{
    settings.idleCallback = IdleTrampoline;
    settings.idleContext = this;
    settings.userDialogCallback = UserDialogTrampoline;
    settings.userDialogContext = this;
    settings.reserved[0] = settings.reserved[1] = nullptr;
}

void BurnCallbacks::FillProgressRecord(RecProgress &progress)
{
    progress = RecProgress{};
    progress.progressCallback = ProgressTrampoline;
    progress.abortCallback = AbortTrampoline;
    progress.logLineCallback = LogLineTrampoline;
    progress.phaseCallback = PhaseTrampoline;
    progress.context = this;
}

int BurnCallbacks::OnIdle()
{
    // Only the GUI thread may run its own event loop; a burn on a worker
    // leaves the GUI thread free anyway.
    if (IsGuiThread() && !m_state.m_bAbort && !QCoreApplication::closingDown())
        QCoreApplication::processEvents();
    return m_state.m_bAbort ? 1 : 0;
}

int BurnCallbacks::OnAbortQuery()
{
    return m_state.m_bAbort ? 1 : 0;
}

int BurnCallbacks::OnProgress(int percent)
{
    jobs::ProgressClock &clock = m_state.m_progressClock;
    // The first non-zero percent of a run only starts the clock; the time
    // values keep what they show.
    const bool startsRun = percent != 0 && clock.LastPercent() == 0;
    const jobs::ProgressClock::Display display = clock.Report(percent, m_now());
    if (display.changed) {
        if (!startsRun) {
            m_ports.progress.SetTimeLeftText(display.remainingText);
            m_ports.progress.SetTimeTotalText(display.totalText);
        }
        m_ports.progress.SetPercentText(display.percentText);
        m_ports.progress.SetWindowTitleText(jobs::ProgressTitle(display.percentText));
    }
    m_ports.progress.SetProgressPos(percent);
    return m_state.m_bAbort ? 1 : 0;
}

void BurnCallbacks::OnLogLine(const char *text)
{
    const bool requiredFile =
        text != nullptr && std::strncmp(text, RequiredFilePrefix, sizeof RequiredFilePrefix - 1) == 0;
    const QString line = requiredFile ? m_ports.report.GetText(textid::RequiredFile) : FromLibrary(text);
    m_ports.report.AppendLog(QStringLiteral("===> ") + line);
    if (line == QLatin1String(ReallocationFailedLine))
        m_state.m_bReallocProblem = 1;
}

void BurnCallbacks::OnPhase(const char *text)
{
    const auto lookup = [this](int id) { return m_ports.report.GetText(id); };
    m_ports.report.AppendLog(QStringLiteral("=> ") + jobs::PhaseText(FromLibrary(text), lookup));
}

int BurnCallbacks::OnUserDialog(int dialogType, void *data)
{
    switch (dialogType) {
    case 2:
    case 7:
    case 12:
        return 5;
    case 6:
        return 3;
    case 13:
        return 1;
    case DLG_WAITCD:
        return ShowWaitReason(data);
    case DLG_IMAGE_FILENAME:
        return AskImageFile(data);
    case DLG_NON_EMPTY_REWRITABLE:
        return AskOverwrite();
    case DLG_LAYER_BREAK_MID_SCENE:
        return AskMidSceneBreak(data);
    default:
        return 0;
    }
}

int BurnCallbacks::ShowWaitReason(void *data)
{
    // The wait reason travels in the pointer itself.
    const int reason = static_cast<int>(reinterpret_cast<intptr_t>(data));
    char *text = NeroGetLocalizedWaitCDTexts(reason);
    m_ports.report.ShowMessageBox(FromLibrary(text), QString::fromLatin1(rec_caption::Information),
                                  mb::IconInformation);
    if (text != nullptr)
        NeroFreeMem(text);
    return 0;
}

int BurnCallbacks::AskImageFile(void *buffer)
{
    if (buffer == nullptr)
        return 0;
    const std::optional<QString> chosen =
        m_ports.questions.ChooseImageFile(m_state.m_strVolume + QStringLiteral(".nrg"));
    if (!chosen)
        return 0;
    const QByteArray path = chosen->toUtf8();
    // The library's buffer holds IMAGE_PATH_BUFFER_SIZE bytes with the
    // terminating zero; a longer path is refused rather than cut.
    if (path.size() >= IMAGE_PATH_BUFFER_SIZE) {
        const QString text = m_ports.report.GetText(textid::ImagePathTooLong);
        m_ports.report.AppendLog(text);
        m_ports.report.ShowMessageBox(text, QString::fromLatin1(rec_caption::Error), mb::IconStop);
        return 0;
    }
    std::memcpy(buffer, path.constData(), static_cast<size_t>(path.size()) + 1);
    return 1;
}

int BurnCallbacks::AskMidSceneBreak(void *warning)
{
    const QString text = FromLibrary(static_cast<const char *>(warning));
    if (m_state.m_bAnyLayerBreak != 0)
        return 5;
    const int answer = m_ports.report.ShowMessageBox(
        FormatText(m_ports.report.GetText(textid::LayerBreakMidSceneQuestion), {text}),
        QString::fromLatin1(rec_caption::Application), mb::YesNo | mb::IconQuestion | mb::DefaultButton2);
    if (answer == mb::IdYes)
        return 5;
    m_state.m_bLayerBreakDeclined = 1;
    return 0;
}

int BurnCallbacks::AskOverwrite()
{
    const int answer = m_ports.report.ShowMessageBox(m_ports.report.GetText(textid::OverwriteQuestion),
                                                     QString::fromLatin1(rec_caption::OverwriteRewritable),
                                                     mb::YesNo | mb::IconQuestion | mb::DefaultButton2);
    if (answer == mb::IdYes) {
        m_ports.report.AppendLogText(textid::Overwritten);
        return 5;
    }
    m_ports.report.AppendLogText(textid::NotOverwritten);
    return 0;
}
