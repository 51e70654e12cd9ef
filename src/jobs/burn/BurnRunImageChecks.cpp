// The point of no return of a burn that takes an image file as it is: the
// recorder, the file, and the image's structure and DVD-Video check. The
// checks shared with a folder's burn are in BurnRunChecks.cpp.
#include "jobs/burn/BurnRun.h"

#include "TextIds.h"
#include "jobs/RecordingState.h"
#include "jobs/burn/BurnReport.h"
#include "jobs/burn/ImageFileCheck.h"
#include "jobs/setup/BurnFlags.h"
#include "jobs/setup/RecorderChoice.h"
#include "platform/TextFormat.h"
#include "recorder/LibraryAdapters.h"

#include <QFile>

bool BurnRun::BurnsImage() const
{
    return !m_state.m_strImageFile.isEmpty();
}

int BurnRun::CheckImageRecorder()
{
    // Copying one image file into another burns no disc.
    const DeviceInfo *device = m_ports.recorders.SelectedDevice();
    if (device == nullptr || !jobs::IsImageRecorder(*device))
        return 0;
    ReportFailure(m_ports.report.GetText(textid::ImageToImageRecorder), m_settings.moreFlags);
    return jobs::RunBurnImageToImageRecorder;
}

int BurnRun::CheckImageFile()
{
    const QString refusal =
        jobs::ImageFileRefusal(m_state.m_strImageFile, [this](int id) { return m_ports.report.GetText(id); });
    if (!refusal.isEmpty()) {
        ReportFailure(refusal, m_settings.moreFlags);
        return jobs::RunBurnFolderUnusable;
    }
    // The disc is named as the image names it: the log file, the sleep
    // lock's reason and the notice at the end say so too.
    if (const QString label = jobs::ImageLabel(m_state.m_strImageFile); !label.isEmpty())
        m_state.m_strVolume = label;
    return 0;
}

int BurnRun::BuildImageTrack()
{
    BeginBurnLog();
    m_ports.report.AppendLog(
        FormatText(m_ports.report.GetText(textid::ImageBurned), {m_state.m_strImageFile}));
    m_burnFlags = jobs::ComputeBurnFlags(m_settings.burnFlags, m_state.m_bVerify != 0);
    m_moreFlags = m_settings.moreFlags;
    m_ports.report.SetStatusText(m_ports.report.GetText(textid::Burning));
    NeroClearErrors();
    m_track.reset(NeroCreateIsoTrackFromImage(QFile::encodeName(m_state.m_strImageFile).constData()));
    if (m_track)
        return 0;
    ReportTrackFailure(m_moreFlags);
    return jobs::RunBurnTrackFailed;
}

int BurnRun::CheckImageContent()
{
    dvdvideo::WalkLimits limits;
    limits.aborted = [this] { return m_state.m_bAbort.load(); };
    jobs::PreflightOutcome outcome = jobs::RunImageDvdVideoCheck(m_state.m_strImageFile, limits);
    // What the readers of players forgive is said, and the image burned as
    // it is: it is the user's image, not ours to mend.
    const jobs::TextLookup text = [this](int id) { return m_ports.report.GetText(id); };
    for (const QString &line : jobs::ImageProblemLines(
             m_state.m_strImageFile, jobs::ImageStructureProblems(m_state.m_strImageFile, outcome.isDvdVideo),
             text))
        m_ports.report.AppendLog(line);
    return PreflightAllowsBurn(std::move(outcome), m_state.m_strImageFile, m_disc.freeSectors)
               ? 0
               : jobs::RunBurnCheckRefused;
}
