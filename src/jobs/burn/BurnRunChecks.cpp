// The point of no return of a burn: every failure that can be foreseen is
// ruled out before anything changes the disc (an erase, or opening the
// medium for writing). After it only the drive, the disc or the machine can
// stop the job.
#include "jobs/burn/BurnRun.h"

#include "TextIds.h"
#include "jobs/RecordingState.h"
#include "jobs/RecordingTexts.h"
#include "jobs/burn/BurnReport.h"
#include "jobs/burn/DvdVideoPreflight.h"
#include "jobs/desktop/DesktopHooks.h"
#include "jobs/label/VolumeLabel.h"
#include "jobs/setup/BurnFlags.h"
#include "jobs/setup/RecorderChoice.h"
#include "jobs/sound/ResultSoundPlayer.h"
#include "jobs/tree/CompilationBuilder.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"
#include "recorder/LibraryAdapters.h"
#include "settings/SettingsFlags.h"

#include <QFile>

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <span>

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

struct DirCloser
{
    void operator()(DIR *dir) const { closedir(dir); }
};

} // namespace

int BurnRun::Prepare()
{
    m_settings = m_ports.settings.TakeJobSettings();
    if (m_keepDiscIn)
        m_settings.burnFlags |= BURN_NO_EJECT;
    m_moreFlags = m_settings.moreFlags;
    m_eraseFirst = false;
    m_eraseAnnounced = false;
    m_recorderOpened = false;
    m_disc = {};
    m_state.m_strLibraryErrors.clear();
    // In this order. What needs no answer comes before what asks the user,
    // and the overwrite question comes last, so that nobody is asked about
    // a disc that a later check would leave alone anyway. An abort (the
    // Abort button, a termination signal) is looked at after every check,
    // and between the entries of the folder walk.
    static constexpr Check FolderChecks[] = {
        &BurnRun::CheckSource,       // a folder is given
        &BurnRun::CheckFolder,       // it exists, is a folder and can be read
        &BurnRun::CheckLabel,        // the label is one a disc can carry
        &BurnRun::OpenRecorder,      // the recorder is the job's until its end
        &BurnRun::LookAtDisc,        // the disc's kind and room; nothing is asked yet
        &BurnRun::BuildTrack,        // the compilation, and the track the library makes of it
        &BurnRun::CheckRoomForImage, // the recorder's own room for the image (a virtual disc's folder)
        &BurnRun::CheckDiscRoom,     // the track fits the disc
        &BurnRun::CheckDvdVideo,     // the DVD-Video check (an error asks whether to burn anyway)
        &BurnRun::AskOverwrite,      // a used rewritable disc may be overwritten
    };
    // An image file is burned as it is: no label, no compilation.
    static constexpr Check ImageChecks[] = {
        &BurnRun::CheckImageRecorder, // a disc recorder, not the Image Recorder
        &BurnRun::CheckImageFile,     // a regular file, opened without waiting; a disc image, whole
        &BurnRun::OpenRecorder,       // as for a folder
        &BurnRun::LookAtDisc,         // as for a folder
        &BurnRun::BuildImageTrack,    // the library's track of the file
        &BurnRun::CheckRoomForImage,  // as for a folder
        &BurnRun::CheckDiscRoom,      // the image fits the disc
        &BurnRun::CheckImageContent,  // structure problems logged; the same DVD-Video check
        &BurnRun::AskOverwrite,       // as for a folder
    };
    const std::span<const Check> checks =
        BurnsImage() ? std::span<const Check>(ImageChecks) : std::span<const Check>(FolderChecks);
    for (const Check check : checks) {
        const int result = (this->*check)();
        if (m_state.m_bAbort)
            return StopAborted();
        if (result != 0)
            return EndPreparedRun(result);
    }
    return 0;
}

int BurnRun::CheckSource()
{
    if (!m_state.m_strSourceDir.isEmpty())
        return 0;
    m_ports.report.AppendLogText(textid::NoSourceFolder);
    return jobs::RunBurnNoSource;
}

int BurnRun::CheckLabel()
{
    const QString given = m_state.m_strVolume;
    if (ValidateVolumeLabel(m_state.m_strVolume, m_settings.labelLimit, m_ports.report) < 0)
        return jobs::RunBurnRefusedLabel;
    // A label cut to the limit or replaced by NO_NAME is not what the user
    // typed; the log says so.
    if (m_state.m_strVolume != given)
        m_ports.report.AppendLog(
            FormatText(m_ports.report.GetText(textid::LabelChanged), {given, m_state.m_strVolume}));
    return 0;
}

int BurnRun::CheckFolder()
{
    // Said here in so many words: the compilation would only report the
    // DVD-Video folders it does not find in it.
    const QByteArray path = QFile::encodeName(m_state.m_strSourceDir);
    struct stat info
    {
    };
    QString text;
    if (::stat(path.constData(), &info) != 0) {
        // A name that was not UTF-8 reached the program with its bytes
        // replaced: the folder exists, but not under that name.
        const bool notUtf8 = m_state.m_strSourceDir.contains(QChar::ReplacementCharacter);
        text = notUtf8 ? m_ports.report.GetText(textid::NameNotUtf8) + QStringLiteral(" \"") +
                             m_state.m_strSourceDir + QLatin1Char('"')
               : errno == ENOENT || errno == ENOTDIR
                   ? FormatText(m_ports.report.GetText(textid::FolderMissing), {m_state.m_strSourceDir})
                   : FormatText(m_ports.report.GetText(textid::FolderCannotBeRead),
                                {m_state.m_strSourceDir, QString::fromLocal8Bit(std::strerror(errno))});
    } else if (!S_ISDIR(info.st_mode)) {
        text = FormatText(m_ports.report.GetText(textid::FolderNotAFolder), {m_state.m_strSourceDir});
    } else if (const std::unique_ptr<DIR, DirCloser> dir(opendir(path.constData())); dir == nullptr) {
        text = FormatText(m_ports.report.GetText(textid::FolderCannotBeRead),
                          {m_state.m_strSourceDir, QString::fromLocal8Bit(std::strerror(errno))});
    }
    if (text.isEmpty())
        return 0;
    ReportFailure(text, m_settings.moreFlags);
    return jobs::RunBurnFolderUnusable;
}

int BurnRun::OpenRecorder()
{
    m_device = m_ports.recorders.SelectedDevice();
    if (m_device == nullptr)
        return jobs::RunBurnNoRecorder;
    // A disc the desktop mounted is unmounted before the recorder takes it;
    // one that stays mounted cannot be the job's.
    if (const QString mounted = jobs::UnmountDesktopDisc(m_ports.report, *m_device); !mounted.isEmpty()) {
        m_state.m_strLibraryErrors = mounted;
        ReportFailure(mounted, m_settings.moreFlags);
        return jobs::RunBurnNoRecorder;
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
    return 0;
}

int BurnRun::LookAtDisc()
{
    m_disc = ReadDisc();
    return 0;
}

BurnRun::DiscLook BurnRun::ReadDisc()
{
    const DiscInfoBlock block{NeroGetCDInfo(m_state.m_hDevice.Get(), CDINFO_FLAGS_DEFAULT)};
    if (block.info == nullptr) {
        m_ports.report.AppendLogText(textid::NoDiscInfo);
        return {};
    }
    // The library's note on the disc: why one whose state is unknown counts as used.
    LogLibraryNotes();
    const DiscInfo &info = *block.info;
    const int64_t capacity = info.capacitySectors > 0 ? info.capacitySectors : -1;
    const jobs::UsedRewritable kind = jobs::ClassifyDisc(info);
    // A used disc that is not rewritable is the library's to judge; a used
    // rewritable one offers its whole capacity once erased.
    if (kind == jobs::UsedRewritable::No)
        return {kind, info.contentCount == 0 ? capacity : -1};
    return {kind, capacity};
}

int BurnRun::BuildTrack()
{
    return PrepareCompilation();
}

int BurnRun::CheckRoomForImage()
{
    NeroClearErrors();
    if (NeroCheckTrackRoom(m_state.m_hDevice.Get(), m_track.get(), m_burnFlags) == BURN_OK)
        return 0;
    char *why = NeroGetErrorLog();
    m_state.m_strLibraryErrors = QString::fromUtf8(why != nullptr ? why : "");
    NeroFreeMem(why);
    jobs::PlayResultSound(BURN_FAILED, m_settings.sound, *m_sound);
    ReportFailure(m_state.m_strLibraryErrors, m_moreFlags);
    return jobs::RunBurnDiscTooSmall;
}

int BurnRun::CheckDiscRoom()
{
    return TrackFits(m_disc.freeSectors) ? 0 : jobs::RunBurnDiscTooSmall;
}

int BurnRun::CheckDvdVideo()
{
    return CheckAllowsBurn(m_disc.freeSectors) ? 0 : jobs::RunBurnCheckRefused;
}

int BurnRun::AskOverwrite()
{
    if (m_disc.used == jobs::UsedRewritable::No)
        return 0;
    if (Simulating()) {
        // A simulation never changes the disc: it writes as onto a blank one.
        m_ports.report.AppendLogText(textid::SimulationWouldErase);
        return 0;
    }
    if ((m_settings.burnFlags & BURN_NO_OVERWRITE_ASK) == 0) {
        const int answer =
            m_ports.report.ShowMessageBox(m_ports.report.GetText(textid::OverwriteRewritable),
                                          QString::fromLatin1(rec_caption::OverwriteRewritable),
                                          mb::YesNo | mb::IconQuestion | mb::DefaultButton2);
        if (answer != mb::IdYes)
            return jobs::RunBurnNoRecorder;
    }
    m_ports.report.AppendLog(m_ports.report.GetText(textid::ErasedFirst) +
                             jobs::RewritableSuffix(m_disc.used));
    m_eraseAnnounced = true;
    m_eraseFirst = true;
    return 0;
}

int BurnRun::StopAborted()
{
    ReportResult(BURN_USER_ABORT, m_settings.moreFlags);
    if (m_eraseAnnounced)
        m_ports.report.AppendLogText(textid::NothingErased);
    EndPreparedRun(BURN_USER_ABORT);
    // Also when the run had not yet made the window busy.
    m_state.m_bAbort = false;
    return BURN_USER_ABORT;
}

void BurnRun::BeginBurnLog()
{
    // A flag left from an earlier burn must not hide this burn's result.
    m_state.m_bReallocProblem = 0;
    m_state.m_bLayerBreakDeclined = 0;
    m_ports.busy.EnableBusyUi(AbortButton::Enabled);
    m_busy = true;
    m_ports.report.AppendLogText(textid::BurnStarts);
    m_ports.report.AppendLog(m_ports.report.GetText(textid::RecorderIs) + QStringLiteral(" \"") +
                             m_ports.recorders.SelectedDeviceText() + QStringLiteral("\""));
}

int BurnRun::PrepareCompilation()
{
    BeginBurnLog();
    const jobs::IsoTrackFlags isoFlags =
        jobs::ComputeIsoTrackFlags(m_settings.fsFlags, m_state.m_bReallocate != 0);
    m_ports.report.AppendLog(QStringLiteral("Using ISO Flags: ") + isoFlags.flagList);
    // The library writes ISO 9660 when the settings choose no file system.
    if ((isoFlags.flags & (ISO_TRACK_ISO9660 | ISO_TRACK_UDF)) == 0)
        m_ports.report.AppendLog(FormatText(m_ports.report.GetText(textid::NoFileSystemChosen),
                                            {QString::number(m_settings.fsFlags, 16)}));
    m_burnFlags = jobs::ComputeBurnFlags(m_settings.burnFlags, m_state.m_bVerify != 0);
    m_moreFlags = m_settings.moreFlags;

    CompilationBuilder builder(m_ports.report, m_state.m_pIsoRoot);
    builder.SetAbortCheck([this] { return m_state.m_bAbort.load(); });
    IsoItem *root = builder.BuildCompilation(m_state.m_strSourceDir);
    if (root == nullptr) {
        m_ports.report.SetStatusText(m_ports.report.GetText(textid::CompilationFailed));
        return jobs::RunBurnCompilationFailed;
    }
    // The library's track opens every source: not worth starting once stopped.
    if (m_state.m_bAbort)
        return jobs::RunBurnCompilationFailed;
    m_ports.report.SetStatusText(m_ports.report.GetText(textid::Burning));
    m_track.reset(NeroCreateIsoTrackEx(root, m_state.m_strVolume.toUtf8().constData(), isoFlags.flags));
    if (!m_track) {
        m_state.m_pIsoRoot.reset();
        // Stopped on the program's word while the library opened the
        // sources: the abort is reported, not a failure of the track.
        if (m_state.m_bAbort) {
            NeroClearErrors();
            return jobs::RunBurnTrackFailed;
        }
        ReportTrackFailure(m_moreFlags);
        return jobs::RunBurnTrackFailed;
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
    // The playback walk asks before each chapter; the list of checks then
    // sees the abort and reports it.
    dvdvideo::WalkLimits limits;
    limits.aborted = [this] { return m_state.m_bAbort.load(); };
    return PreflightAllowsBurn(jobs::RunDvdVideoPreflight(m_state.m_strSourceDir, settings, limits),
                               m_state.m_strSourceDir, freeSectors);
}

bool BurnRun::PreflightAllowsBurn(jobs::PreflightOutcome outcome, const QString &source, int64_t freeSectors)
{
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
    for (const QString &line : jobs::PreflightLines(source, outcome.findings, text))
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
