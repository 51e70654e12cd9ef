#include "jobs/BurnRun.h"

#include "jobs/BurnFlags.h"
#include "jobs/BurnReport.h"
#include "jobs/CompilationBuilder.h"
#include "jobs/DiscCheck.h"
#include "jobs/EraseJob.h"
#include "jobs/IRecordingWindow.h"
#include "jobs/RecorderChoice.h"
#include "jobs/RecordingState.h"
#include "jobs/RecordingTexts.h"
#include "jobs/ResultSoundPlayer.h"
#include "jobs/SpeedText.h"
#include "jobs/VolumeLabel.h"
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

BurnRun::BurnRun(IRecordingWindow &window, RecordingState &state, ISoundPlayer &sound, EraseJob &erase)
    : m_window(window)
    , m_state(state)
    , m_sound(&sound)
    , m_erase(erase)
{
}

int BurnRun::RunBurn()
{
    return RunBurn(Attempt::First);
}

int BurnRun::RunBurnAfterErase()
{
    return RunBurn(Attempt::AfterErase);
}

int BurnRun::RunBurnToTheEnd()
{
    m_burnFollowsErase = false;
    const int result = RunBurn(Attempt::First);
    if (!m_burnFollowsErase)
        return result;
    return m_erase.WaitForJob();
}

int BurnRun::RunBurn(Attempt attempt)
{
    if (m_state.m_strSourceDir.isEmpty()) {
        m_window.AppendLogText(rec_text::NoSourceFolder);
        return jobs::RunBurnNoSource;
    }
    if (ValidateVolumeLabel(m_state.m_strVolume, m_window.LabelLimit(), m_window) < 0)
        return jobs::RunBurnRefusedLabel;
    const DeviceInfo *device = m_window.SelectedDevice();
    if (device == nullptr)
        return jobs::RunBurnNoRecorder;
    m_state.m_hDevice = NeroOpenDevice(device);
    if (m_state.m_hDevice == nullptr) {
        m_window.AppendLog(m_window.GetText(rec_text::RecorderNotOpened) + QStringLiteral(": ") + DeviceName(*device));
        return jobs::RunBurnNoRecorder;
    }
    const int medium = CheckMedium(attempt);
    int result = medium;
    if (medium == 0)
        result = BurnCompilation(*device);
    NeroCloseDevice(m_state.m_hDevice);
    m_state.m_hDevice = nullptr;
    if (medium == 1) {
        m_burnFollowsErase = true;
        m_erase.StartErase(EraseStart::ForBurn);
        return 0;
    }
    return result;
}

int BurnRun::CheckMedium()
{
    return CheckMedium(Attempt::First);
}

int BurnRun::CheckMedium(Attempt attempt)
{
    if (m_state.m_hDevice == nullptr)
        return -1;
    const bool ask = (m_window.GetBurnFlags() & BURN_NO_OVERWRITE_ASK) == 0;
    const DiscInfoBlock block{NeroGetCDInfo(m_state.m_hDevice, CDINFO_FLAGS_DEFAULT)};
    if (block.info == nullptr) {
        m_window.AppendLogText(rec_text::NoDiscInfo);
        return 0;
    }
    const jobs::UsedRewritable kind = jobs::ClassifyDisc(*block.info);
    if (kind == jobs::UsedRewritable::No)
        return 0;
    if (attempt == Attempt::AfterErase)
        return StopStillNotBlank();
    if (ask) {
        const int answer = m_window.ShowMessageBox(m_window.GetText(rec_text::OverwriteRewritable),
                                                   QString::fromLatin1(rec_caption::OverwriteRewritable),
                                                   mb::YesNo | mb::IconQuestion | mb::DefaultButton2);
        if (answer != mb::IdYes)
            return -1;
    }
    m_window.AppendLog(m_window.GetText(rec_text::ErasedFirst) + jobs::RewritableSuffix(kind));
    return 1;
}

int BurnRun::StopStillNotBlank()
{
    // One erase did not leave the disc blank; another would not either.
    const QString text = m_window.GetText(rec_text::StillNotBlank);
    m_window.AppendLog(text);
    m_window.SetStatusText(m_window.GetText(rec_text::BurnFailed));
    if (ErrorBoxShown(m_window.GetMoreFlags()))
        m_window.ShowMessageBox(text, QString::fromLatin1(rec_caption::Error), mb::IconStop);
    return jobs::RunBurnStillNotBlank;
}

int BurnRun::BurnCompilation(const DeviceInfo &device)
{
    // A flag left from an earlier burn must not hide this burn's result.
    m_state.m_bReallocProblem = 0;
    m_window.EnableBusyUi(AbortButton::Enabled);
    const jobs::IsoTrackFlags isoFlags = jobs::ComputeIsoTrackFlags(m_window.GetFsFlags(), m_state.m_bReallocate != 0);
    m_window.AppendLogText(rec_text::BurnStarts);
    m_window.AppendLog(m_window.GetText(rec_text::Recorder) + QStringLiteral(" \"") + m_window.SelectedDeviceText() +
                       QStringLiteral("\""));
    m_window.AppendLog(QStringLiteral("Using ISO Flags: ") + isoFlags.flagList);
    const uint32_t burnFlags = jobs::ComputeBurnFlags(m_window.GetBurnFlags(), m_state.m_bVerify != 0);
    const uint32_t moreFlags = m_window.GetMoreFlags();

    int result = jobs::RunBurnCompilationFailed;
    CompilationBuilder builder(m_window, m_state.m_pIsoRoot);
    IsoItem *root = builder.BuildCompilation(m_state.m_strSourceDir);
    if (root == nullptr) {
        m_window.SetStatusText(m_window.GetText(rec_text::CompilationFailed));
    } else {
        m_window.SetStatusText(m_window.GetText(rec_text::Burning));
        IsoTrack *track = NeroCreateIsoTrackEx(root, m_state.m_strVolume.toUtf8().constData(), isoFlags.flags);
        if (track == nullptr) {
            m_state.m_pIsoRoot.reset();
            ReportTrackFailure(moreFlags);
            result = BURN_FAILED;
        } else {
            result = BurnTrack(track, device, burnFlags);
            ReportResult(result, moreFlags);
        }
    }
    m_window.RestoreIdleUi();
    m_state.m_bAbort = false;
    return result;
}

int BurnRun::BurnTrack(IsoTrack *track, const DeviceInfo &device, uint32_t burnFlags)
{
    WriteRecord record{};
    record.track = track;
    if (m_state.m_nMedia == 0) {
        record.mediaType = static_cast<int32_t>(MEDIA_SET_DVD);
        m_window.AppendLogText(rec_text::MediaDvd);
    } else {
        record.mediaType = static_cast<int32_t>(MEDIA_SET_CD);
        m_window.AppendLogText(rec_text::MediaCd);
    }
    const uint32_t speed = SpeedArgument(device);
    const int result = NeroBurn(m_state.m_hDevice, 0, &record, burnFlags, speed, &m_state.m_libProgress);
    // The track is released before the tree it was made from.
    jobs::PlayResultSound(result, m_window.GetSoundSettings(), *m_sound);
    NeroFreeIsoTrack(track);
    m_state.m_pIsoRoot.reset();
    LogLibraryErrors();
    return result;
}

uint32_t BurnRun::SpeedArgument(const DeviceInfo &device)
{
    const SpeedBlock &speeds = device.writeSpeeds;
    const int count = std::min<int>(speeds.count, SPEED_BLOCK_MAX);
    if (count < 1)
        return 0;
    // Without a selection the list's own default, the fastest speed, holds.
    const int index = jobs::PreselectSpeed(m_window.SelectedSpeed(), count);
    const int kBs = speeds.kBs[index];
    m_window.AppendLog(m_window.GetText(rec_text::WriteSpeed) + QStringLiteral(": ") +
                       jobs::SpeedLogText(kBs, speeds.rate1x));
    return static_cast<uint32_t>(kBs);
}

void BurnRun::LogLibraryErrors()
{
    char *errors = NeroGetErrorLog();
    if (errors == nullptr)
        return;
    m_window.AppendLog(QString::fromUtf8(errors));
    NeroFreeMem(errors);
}

bool BurnRun::ErrorBoxShown(uint32_t moreFlags) const
{
    return !(m_state.m_bShutdown != 0 && (moreFlags & MORE_FORCE_SHUTDOWN) != 0);
}

void BurnRun::ReportTrackFailure(uint32_t moreFlags)
{
    // The library says why in its error log; the burn never started.
    jobs::PlayResultSound(BURN_FAILED, m_window.GetSoundSettings(), *m_sound);
    LogLibraryErrors();
    const QString text = m_window.GetText(rec_text::TrackFailed);
    m_window.AppendLog(text);
    m_window.SetStatusText(m_window.GetText(rec_text::BurnFailed));
    if (ErrorBoxShown(moreFlags))
        m_window.ShowMessageBox(text, QString::fromLatin1(rec_caption::Error), mb::IconStop);
}

void BurnRun::ReportResult(int result, uint32_t moreFlags)
{
    const jobs::BurnReportContext context{m_state.m_bShutdown != 0, (moreFlags & MORE_FORCE_SHUTDOWN) != 0,
                                          m_state.m_bReallocProblem != 0};
    const jobs::BurnReport report = jobs::ReportForResult(result, context);
    QString text;
    if (report.logTextId == rec_text::UnknownResult)
        text = FormatText(m_window.GetText(rec_text::UnknownResult), {result});
    else if (report.logTextId != 0)
        text = m_window.GetText(report.logTextId);
    if (report.logTextId != 0)
        m_window.AppendLog(text);
    if (report.totalTimeLine) {
        const jobs::HoursMinutesSeconds total = jobs::SplitDuration(m_state.m_progressClock.TotalSecs());
        m_window.AppendLog(FormatText(m_window.GetText(rec_text::TotalTime),
                                      {FormatArg(static_cast<long long>(total.hours)),
                                       FormatArg(static_cast<long long>(total.minutes)),
                                       FormatArg(static_cast<long long>(total.seconds))}));
    }
    if (report.statusTextId != 0)
        m_window.SetStatusText(m_window.GetText(report.statusTextId));
    if (report.box == jobs::ReportBox::Info)
        m_window.ShowMessageBox(text, QString::fromLatin1(rec_caption::Info), mb::IconInformation);
    else if (report.box == jobs::ReportBox::Error)
        m_window.ShowMessageBox(text, QString::fromLatin1(rec_caption::Error), mb::IconStop);
}
