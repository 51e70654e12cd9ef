#include "jobs/burn/BurnRun.h"

#include "TextIds.h"
#include "jobs/RecordingState.h"
#include "jobs/RecordingTexts.h"
#include "jobs/burn/BurnReport.h"
#include "jobs/burn/DiscCheck.h"
#include "jobs/burn/DvdVideoPreflight.h"
#include "jobs/desktop/DesktopHooks.h"
#include "jobs/label/VolumeLabel.h"
#include "jobs/setup/BurnFlags.h"
#include "jobs/setup/RecorderChoice.h"
#include "jobs/setup/SpeedText.h"
#include "jobs/sound/ResultSoundPlayer.h"
#include "jobs/tree/CompilationBuilder.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"
#include "recorder/LibraryAdapters.h"
#include "settings/SettingsFlags.h"

BurnRun::BurnRun(const JobPorts &ports, RecordingState &state, ISoundPlayer &sound)
    : m_ports(ports), m_state(state), m_sound(&sound)
{
}

int BurnRun::RunBurnAfterErase()
{
    if (m_device == nullptr)
        m_device = m_ports.recorders.SelectedDevice();
    if (!m_state.m_recorder.IsOpen() && m_device != nullptr)
        m_state.m_recorder = RecorderHandle(*m_device);
    if (!m_state.m_recorder.IsOpen())
        return EndPreparedRun(jobs::RunBurnNoRecorder);
    const DiscLook disc = ReadDisc();
    // The erase's sleep lock is let go before any box of a run that ends here.
    if (disc.used != jobs::UsedRewritable::No) {
        m_state.m_sleepUntilBurn.reset();
        return EndPreparedRun(StopStillNotBlank());
    }
    if (!m_track) {
        const int prepared = PrepareCompilation();
        if (prepared != 0)
            return EndPreparedRun(prepared);
        if (!TrackFits(disc.freeSectors))
            return EndPreparedRun(jobs::RunBurnDiscTooSmall);
    }
    if (m_state.m_bAbort) {
        // Abort came while the disc was erased: the burn does not start.
        m_state.m_sleepUntilBurn.reset();
        ReportResult(BURN_USER_ABORT, m_moreFlags);
        return EndPreparedRun(BURN_USER_ABORT);
    }
    // The erase left its own phase and its clock's range (seconds) on the
    // displays; the burn reports percent under its own phase.
    m_ports.report.SetStatusText(m_ports.report.GetText(textid::Burning));
    m_ports.progress.SetProgressRange(0, 100);
    m_ports.busy.EnableAbort(true);
    return BurnCompilation();
}

int BurnRun::StopStillNotBlank()
{
    // One erase did not leave the disc blank; another would not either.
    const QString text = m_ports.report.GetText(textid::StillNotBlank);
    m_ports.report.AppendLog(text);
    m_ports.report.SetStatusText(m_ports.report.GetText(textid::BurnFailed));
    if (ErrorBoxShown(m_settings.moreFlags))
        m_ports.report.ShowMessageBox(text, QString::fromLatin1(rec_caption::Error), mb::IconStop);
    return jobs::RunBurnStillNotBlank;
}

int BurnRun::BurnCompilation()
{
    WriteRecord record{};
    record.track = m_track.get();
    if (m_state.m_nMedia == 0) {
        record.mediaType = static_cast<int32_t>(MEDIA_SET_DVD);
        m_ports.report.AppendLogText(textid::MediaDvd);
    } else {
        record.mediaType = static_cast<int32_t>(MEDIA_SET_CD);
        m_ports.report.AppendLogText(textid::MediaCd);
    }
    const uint32_t speed = SpeedArgument(*m_device);
    jobs::NoSleepWhileWriting noSleep(
        m_ports.report, FormatText(m_ports.report.GetText(textid::InhibitBurnWhy), {m_state.m_strVolume}));
    m_state.m_sleepUntilBurn.reset();
    const int result =
        NeroBurn(m_state.m_hDevice.Get(), 0, &record, m_burnFlags, speed, &m_state.m_libProgress);
    noSleep.Release();
    jobs::PlayResultSound(result, m_settings.sound, *m_sound);
    // The track is released before the tree it was made from.
    m_track.reset();
    m_state.m_pIsoRoot.reset();
    LogLibraryErrors();
    ReportResult(result, m_moreFlags);
    // Declining a break inside a scene refuses the compilation for this disc.
    if (result == BURN_USER_ABORT && m_state.m_bLayerBreakDeclined != 0)
        return EndPreparedRun(jobs::RunBurnCheckRefused);
    return EndPreparedRun(result);
}

int BurnRun::EndPreparedRun(int result)
{
    m_state.m_sleepUntilBurn.reset();
    m_track.reset();
    m_state.m_pIsoRoot.reset();
    CloseRecorder();
    if (m_busy) {
        m_busy = false;
        m_ports.busy.RestoreIdleUi();
        m_state.m_bAbort = false;
    }
    return result;
}

void BurnRun::CloseRecorder()
{
    m_state.m_recorder.Close();
}

bool BurnRun::Simulating() const
{
    return (m_settings.burnFlags & BURN_SIMULATE) != 0;
}

uint32_t BurnRun::SpeedArgument(const DeviceInfo &device)
{
    const SpeedBlock &speeds = device.writeSpeeds;
    const int count = std::min<int>(speeds.count, SPEED_BLOCK_MAX);
    if (count < 1)
        return 0;
    // Without a selection the list's own default, the fastest speed, holds.
    const int index = jobs::PreselectSpeed(m_ports.speeds.SelectedSpeed(), count);
    const int kBs = speeds.kBs[index];
    m_ports.report.AppendLog(m_ports.report.GetText(textid::WriteSpeed) + QStringLiteral(": ") +
                             jobs::SpeedLogText(kBs, speeds.rate1x));
    return static_cast<uint32_t>(kBs);
}

void BurnRun::LogLibraryErrors()
{
    char *errors = NeroGetErrorLog();
    if (errors == nullptr)
        return;
    m_state.m_strLibraryErrors = QString::fromUtf8(errors);
    // One error a line; each line is a log line of its own.
    for (QString line : m_state.m_strLibraryErrors.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        m_ports.report.AppendLog(line);
    }
    NeroFreeMem(errors);
}

void BurnRun::LogLibraryNotes()
{
    char *notes = NeroGetErrorLog();
    if (notes != nullptr && *notes != '\0')
        m_ports.report.AppendLog(QString::fromUtf8(notes));
    NeroFreeMem(notes);
    NeroClearErrors();
}

bool BurnRun::ErrorBoxShown(uint32_t moreFlags) const
{
    return !(m_state.m_bShutdown != 0 && (moreFlags & MORE_FORCE_SHUTDOWN) != 0);
}

void BurnRun::ReportTrackFailure(uint32_t moreFlags)
{
    // The library says why in its error log; the burn never started.
    jobs::PlayResultSound(BURN_FAILED, m_settings.sound, *m_sound);
    LogLibraryErrors();
    ReportFailure(m_ports.report.GetText(textid::TrackFailed), moreFlags);
}

void BurnRun::ReportFailure(const QString &text, uint32_t moreFlags)
{
    m_ports.report.AppendLog(text);
    m_ports.report.SetStatusText(m_ports.report.GetText(textid::BurnFailed));
    if (ErrorBoxShown(moreFlags))
        m_ports.report.ShowMessageBox(text, QString::fromLatin1(rec_caption::Error), mb::IconStop);
}

void BurnRun::ReportResult(int result, uint32_t moreFlags)
{
    const jobs::BurnReportContext context{m_state.m_bShutdown != 0, (moreFlags & MORE_FORCE_SHUTDOWN) != 0,
                                          m_state.m_bReallocProblem != 0, Simulating()};
    const jobs::BurnReport report = jobs::ReportForResult(result, context);
    QString text;
    if (report.logTextId == textid::BurnUnknownResult)
        text = FormatText(m_ports.report.GetText(textid::BurnUnknownResult), {result});
    else if (report.logTextId != 0)
        text = m_ports.report.GetText(report.logTextId);
    if (report.logTextId != 0)
        m_ports.report.AppendLog(text);
    if (report.totalTimeLine) {
        const jobs::HoursMinutesSeconds total = jobs::SplitDuration(m_state.m_progressClock.TotalSecs());
        m_ports.report.AppendLog(FormatText(m_ports.report.GetText(textid::TotalTime),
                                            {FormatArg(static_cast<long long>(total.hours)),
                                             FormatArg(static_cast<long long>(total.minutes)),
                                             FormatArg(static_cast<long long>(total.seconds))}));
    }
    if (report.statusTextId != 0)
        m_ports.report.SetStatusText(m_ports.report.GetText(report.statusTextId));
    jobs::NoticeJobEnd(m_ports.report,
                       report.statusTextId != 0 ? m_ports.report.GetText(report.statusTextId) : text,
                       m_state.m_strVolume, m_state.m_progressClock.TotalSecs());
    if (report.box == jobs::ReportBox::Info)
        m_ports.report.ShowMessageBox(text, QString::fromLatin1(rec_caption::Info), mb::IconInformation);
    else if (report.box == jobs::ReportBox::Error)
        m_ports.report.ShowMessageBox(text, QString::fromLatin1(rec_caption::Error), mb::IconStop);
}
