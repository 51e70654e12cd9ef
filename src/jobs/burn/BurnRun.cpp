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

#include <cstring>

namespace {

QString DeviceName(const DeviceInfo &device)
{
    return QString::fromUtf8(device.name, static_cast<qsizetype>(strnlen(device.name, sizeof device.name)));
}

// A disc information record from the library, released when it goes.
struct DiscInfoBlock
{
    DiscInfo *info;
    ~DiscInfoBlock()
    {
        if (info != nullptr)
            NeroFreeMem(info);
    }
};

} // namespace

BurnRun::BurnRun(const JobPorts &ports, RecordingState &state, ISoundPlayer &sound)
    : m_ports(ports), m_state(state), m_sound(&sound)
{
}

int BurnRun::Prepare()
{
    m_settings = m_ports.settings.TakeJobSettings();
    m_eraseFirst = false;
    m_recorderOpened = false;
    m_state.m_strLibraryErrors.clear();
    if (m_state.m_strSourceDir.isEmpty()) {
        m_ports.report.AppendLogText(textid::NoSourceFolder);
        return jobs::RunBurnNoSource;
    }
    if (ValidateVolumeLabel(m_state.m_strVolume, m_settings.labelLimit, m_ports.report) < 0)
        return jobs::RunBurnRefusedLabel;
    m_device = m_ports.recorders.SelectedDevice();
    if (m_device == nullptr)
        return jobs::RunBurnNoRecorder;
    if (const QString mounted = jobs::UnmountDesktopDisc(m_ports.report, *m_device); !mounted.isEmpty()) {
        m_state.m_strLibraryErrors = mounted;
        ReportFailure(mounted, m_settings.moreFlags);
        return BURN_FAILED;
    }
    m_state.m_recorder = RecorderHandle(*m_device);
    if (!m_state.m_recorder.IsOpen()) {
        m_ports.report.AppendLog(m_ports.report.GetText(textid::RecorderNotOpened) + QStringLiteral(": ") +
                                 DeviceName(*m_device));
        // Why, in the library's words (another program may be using it).
        LogLibraryErrors();
        return jobs::RunBurnNoRecorder;
    }
    m_recorderOpened = true;
    const MediumCheck medium = LookAtMedium(Attempt::First);
    if (medium.result < 0) {
        CloseRecorder();
        return medium.result;
    }
    // Everything that can be checked without touching the disc is checked
    // before a used disc is erased.
    const int prepared = PrepareCompilation();
    if (prepared != 0)
        return EndPreparedRun(prepared);
    if (!TrackFits(medium.freeSectors))
        return EndPreparedRun(jobs::RunBurnDiscTooSmall);
    // The recorder's own room (a virtual disc's folder), before the erase.
    NeroClearErrors();
    if (NeroCheckTrackRoom(m_state.m_hDevice.Get(), m_track.get(), m_burnFlags) != BURN_OK) {
        char *why = NeroGetErrorLog();
        m_state.m_strLibraryErrors = QString::fromUtf8(why != nullptr ? why : "");
        NeroFreeMem(why);
        jobs::PlayResultSound(BURN_FAILED, m_settings.sound, *m_sound);
        ReportFailure(m_state.m_strLibraryErrors, m_moreFlags);
        return EndPreparedRun(jobs::RunBurnDiscTooSmall);
    }
    if (!CheckAllowsBurn(medium.freeSectors))
        return EndPreparedRun(jobs::RunBurnCheckRefused);
    // The erase worker erases on the open recorder and burns afterwards.
    m_eraseFirst = medium.result == 1;
    return 0;
}

int BurnRun::RunBurnAfterErase()
{
    if (m_device == nullptr)
        m_device = m_ports.recorders.SelectedDevice();
    if (!m_state.m_recorder.IsOpen() && m_device != nullptr)
        m_state.m_recorder = RecorderHandle(*m_device);
    if (!m_state.m_recorder.IsOpen())
        return EndPreparedRun(jobs::RunBurnNoRecorder);
    const MediumCheck medium = LookAtMedium(Attempt::AfterErase);
    if (medium.result != 0)
        return EndPreparedRun(medium.result);
    if (!m_track) {
        const int prepared = PrepareCompilation();
        if (prepared != 0)
            return EndPreparedRun(prepared);
        if (!TrackFits(medium.freeSectors))
            return EndPreparedRun(jobs::RunBurnDiscTooSmall);
    }
    if (m_state.m_bAbort) {
        // Abort came while the disc was erased: the burn does not start.
        ReportResult(BURN_USER_ABORT, m_moreFlags);
        return EndPreparedRun(BURN_USER_ABORT);
    }
    // The erase left its own phase and its clock's range (seconds) on the
    // displays; the burn reports percent under its own phase.
    m_ports.report.SetStatusText(m_ports.report.GetText(textid::Burning));
    m_ports.progress.SetProgressRange(0, 100);
    m_ports.busy.EnableAbort(true);
    return BurnPrepared();
}

int BurnRun::CheckMedium()
{
    return LookAtMedium(Attempt::First).result;
}

BurnRun::MediumCheck BurnRun::LookAtMedium(Attempt attempt)
{
    if (!m_state.m_hDevice.IsOpen())
        return {-1, -1};
    const bool ask = (m_settings.burnFlags & BURN_NO_OVERWRITE_ASK) == 0;
    const DiscInfoBlock block{NeroGetCDInfo(m_state.m_hDevice.Get(), CDINFO_FLAGS_DEFAULT)};
    if (block.info == nullptr) {
        m_ports.report.AppendLogText(textid::NoDiscInfo);
        return {0, -1};
    }
    // The library's note on the disc: why one whose state is unknown counts as used.
    LogLibraryNotes();
    const DiscInfo &info = *block.info;
    const int64_t capacity = info.capacitySectors > 0 ? info.capacitySectors : -1;
    const jobs::UsedRewritable kind = jobs::ClassifyDisc(info);
    if (kind == jobs::UsedRewritable::No) {
        // A used disc that is not rewritable is the library's to judge.
        return {0, info.contentCount == 0 ? capacity : -1};
    }
    if (attempt == Attempt::AfterErase)
        return {StopStillNotBlank(), -1};
    if (Simulating()) {
        // A simulation never changes the disc: it writes as onto a blank one.
        m_ports.report.AppendLogText(textid::SimulationWouldErase);
        return {0, capacity};
    }
    if (ask) {
        const int answer =
            m_ports.report.ShowMessageBox(m_ports.report.GetText(textid::OverwriteRewritable),
                                          QString::fromLatin1(rec_caption::OverwriteRewritable),
                                          mb::YesNo | mb::IconQuestion | mb::DefaultButton2);
        if (answer != mb::IdYes)
            return {-1, -1};
    }
    m_ports.report.AppendLog(m_ports.report.GetText(textid::ErasedFirst) + jobs::RewritableSuffix(kind));
    return {1, capacity};
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

int BurnRun::BurnCompilation(const DeviceInfo &device)
{
    m_settings = m_ports.settings.TakeJobSettings();
    m_device = &device;
    const int prepared = PrepareCompilation();
    if (prepared != 0)
        return EndPreparedRun(prepared);
    return BurnPrepared();
}

int BurnRun::PrepareCompilation()
{
    // A flag left from an earlier burn must not hide this burn's result.
    m_state.m_bReallocProblem = 0;
    m_ports.busy.EnableBusyUi(AbortButton::Enabled);
    m_busy = true;
    const jobs::IsoTrackFlags isoFlags =
        jobs::ComputeIsoTrackFlags(m_settings.fsFlags, m_state.m_bReallocate != 0);
    m_ports.report.AppendLogText(textid::BurnStarts);
    m_ports.report.AppendLog(m_ports.report.GetText(textid::RecorderIs) + QStringLiteral(" \"") +
                             m_ports.recorders.SelectedDeviceText() + QStringLiteral("\""));
    m_ports.report.AppendLog(QStringLiteral("Using ISO Flags: ") + isoFlags.flagList);
    m_burnFlags = jobs::ComputeBurnFlags(m_settings.burnFlags, m_state.m_bVerify != 0);
    m_moreFlags = m_settings.moreFlags;

    CompilationBuilder builder(m_ports.report, m_state.m_pIsoRoot);
    IsoItem *root = builder.BuildCompilation(m_state.m_strSourceDir);
    if (root == nullptr) {
        m_ports.report.SetStatusText(m_ports.report.GetText(textid::CompilationFailed));
        return jobs::RunBurnCompilationFailed;
    }
    m_ports.report.SetStatusText(m_ports.report.GetText(textid::Burning));
    m_track.reset(NeroCreateIsoTrackEx(root, m_state.m_strVolume.toUtf8().constData(), isoFlags.flags));
    if (!m_track) {
        m_state.m_pIsoRoot.reset();
        ReportTrackFailure(m_moreFlags);
        return BURN_FAILED;
    }
    return 0;
}

bool BurnRun::TrackFits(int64_t freeSectors)
{
    if (freeSectors < 0)
        return true;
    const int64_t needed = m_track->vtbl->sizeInBlocks(m_track.get());
    if (needed <= freeSectors)
        return true;
    constexpr int64_t SectorsPerMb = 1024 * 1024 / SECTOR_SIZE;
    const QString text =
        FormatText(m_ports.report.GetText(textid::DiscTooSmall),
                   {FormatArg(static_cast<long long>(freeSectors / SectorsPerMb)),
                    FormatArg(static_cast<long long>((needed + SectorsPerMb - 1) / SectorsPerMb))});
    jobs::PlayResultSound(BURN_FAILED, m_settings.sound, *m_sound);
    ReportFailure(text, m_moreFlags);
    return false;
}

bool BurnRun::CheckAllowsBurn(int64_t freeSectors)
{
    const jobs::PreflightSettings settings{m_settings.fsFlags, m_state.m_bReallocate != 0, m_state.m_nMedia};
    jobs::PreflightOutcome outcome = jobs::RunDvdVideoPreflight(m_state.m_strSourceDir, settings);
    if (!outcome.isDvdVideo)
        return true;
    // TrackFits has measured the track against a known free space; without
    // one the settings' limit for the media type stands in.
    if (freeSectors < 0) {
        const int64_t needed = m_track->vtbl->sizeInBlocks(m_track.get());
        if (const auto fit = jobs::FitFinding(needed, -1, m_settings.mediaLimitMb))
            outcome.findings.push_back(*fit);
    }
    const jobs::TextLookup text = [this](int id) { return m_ports.report.GetText(id); };
    for (const QString &line : jobs::PreflightLines(m_state.m_strSourceDir, outcome.findings, text))
        m_ports.report.AppendLog(line);
    const dvdvideo::Finding *error = dvdvideo::FirstError(outcome.findings);
    if (error == nullptr)
        return true;
    const int answer = m_ports.report.ShowMessageBox(m_ports.report.GetText(textid::PreflightBurnAnyway),
                                                     QString::fromLatin1(rec_caption::Application),
                                                     mb::YesNo | mb::IconQuestion | mb::DefaultButton2);
    if (answer == mb::IdYes)
        return true;
    ReportFailure(jobs::FindingText(*error, text), m_moreFlags);
    return false;
}

int BurnRun::BurnPrepared()
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
    const int result =
        NeroBurn(m_state.m_hDevice.Get(), 0, &record, m_burnFlags, speed, &m_state.m_libProgress);
    noSleep.Release();
    jobs::PlayResultSound(result, m_settings.sound, *m_sound);
    // The track is released before the tree it was made from.
    m_track.reset();
    m_state.m_pIsoRoot.reset();
    LogLibraryErrors();
    ReportResult(result, m_moreFlags);
    return EndPreparedRun(result);
}

int BurnRun::EndPreparedRun(int result)
{
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
    m_ports.report.AppendLog(m_state.m_strLibraryErrors);
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
