#include "core/BurnSession.h"

#include "burn/ImageVerifier.h"
#include "burn/TrackWriter.h"
#include "core/FileTarget.h"
#include "core/LayerBreakChoice.h"
#include "core/WorkerLoop.h"
#include "image/ImageTrack.h"
#include "image/IsoImageTrack.h"

namespace reclib {
namespace {

constexpr const char *ReallocationFailed = "DVD-Video files reallocation failed";

bool has(uint32_t flags, uint32_t flag)
{
    return (flags & flag) != 0;
}

// The track's own verdicts, before anything is written: 0 or a result.
int checkTrack(IsoTrack *track, const CallerSide &caller)
{
    const IsoTrackVtbl &slots = *track->vtbl;
    if (const char *error = slots.layoutError(track)) {
        caller.log(LOG_TEXT_ERROR, error);
        return BURN_FAILED;
    }
    if (slots.reallocFailed(track) == 1) {
        caller.log(LOG_TEXT_ERROR, ReallocationFailed);
        return BURN_FAILED;
    }
    if (const char *warning = slots.placementWarning(track))
        caller.log(LOG_TEXT_WARNING, warning);
    if (const image::ImageTrack *image = imageTrackOf(track))
        for (const std::string &note : image->notes())
            caller.log(LOG_TEXT_INFO, note);
    if (slots.sizeInBlocks(track) <= 0 || slots.blockSize(track) != SECTOR_SIZE) {
        caller.log(LOG_TEXT_ERROR, "The track holds no image of 2048-byte sectors");
        return BURN_FAILED;
    }
    return 0;
}

// Images of our own builder can say which file a sector belongs to.
SectorDescriber describeSectors(IsoTrack *track)
{
    const image::ImageTrack *image = imageTrackOf(track);
    if (!image)
        return {};
    return [image](int64_t sector) { return image->whatLiesAt(uint32_t(sector)); };
}

// Everything the worker does: write, inject a fault, verify, complete.
JobOutcome writeVerifyCommit(IsoTrack *track, const BurnPlan &plan, uint32_t flags, JobChannel &channel)
{
    const bool simulate = has(flags, BURN_FLAG_SIMULATE);
    channel.phase(simulate ? "Simulating the write" : "Writing the disc");
    channel.setPercent(0);
    JobOutcome outcome =
        writeTrack(track, plan.write, channel, [&](int percent) { channel.setPercent(percent); });
    const std::string sha256 = outcome.sha256;
    if (outcome.status == JobOutcome::Status::Done && !simulate) {
        std::string error;
        if (plan.corruptAfterWrite.kind == FaultInjection::Kind::CorruptSector &&
            !corruptSector(plan.readBackPath, plan.corruptAfterWrite.sector, error))
            outcome = JobOutcome::failed(error);
        if (outcome.status == JobOutcome::Status::Done && has(flags, BURN_FLAG_VERIFY)) {
            channel.phase("Verifying the written data");
            channel.setPercent(0);
            outcome = verifyImage(
                track, plan.readBackPath, channel, [&](int percent) { channel.setPercent(percent); },
                describeSectors(track), plan.readBackSpeed);
        }
        if (outcome.status == JobOutcome::Status::Done && plan.commit && !plan.commit(error))
            outcome = JobOutcome::failed(error);
        if (outcome.status == JobOutcome::Status::Done && has(flags, BURN_FLAG_VERIFY) &&
            plan.verifyLayerBreak && !plan.verifyLayerBreak(error))
            outcome = JobOutcome::failed(error);
    } else if (outcome.status == JobOutcome::Status::Done && has(flags, BURN_FLAG_VERIFY)) {
        channel.log(LOG_TEXT_INFO, "A simulated write leaves nothing to verify");
    }
    if (outcome.status == JobOutcome::Status::Done && !sha256.empty())
        channel.log(LOG_TEXT_INFO, std::string(SHA256_LOG_PREFIX) + sha256 + " (" +
                                       std::to_string(track->vtbl->sizeInBlocks(track)) + " sectors)");
    if ((simulate || outcome.status != JobOutcome::Status::Done) && plan.discard)
        plan.discard();
    if (outcome.status == JobOutcome::Status::Done && !has(flags, BURN_FLAG_NO_EJECT))
        channel.phase("Ejecting the disc");
    return outcome;
}

int resultOf(const JobOutcome &outcome, const CallerSide &caller)
{
    switch (outcome.status) {
    case JobOutcome::Status::Done:
        caller.phase("Burn process completed successfully");
        return BURN_OK;
    case JobOutcome::Status::Cancelled:
        caller.log(LOG_TEXT_WARNING, "The burn was aborted by the user");
        return BURN_USER_ABORT;
    case JobOutcome::Status::Failed:
        caller.log(LOG_TEXT_ERROR, outcome.reason);
        return BURN_FAILED;
    }
    return BURN_FAILED;
}

// Fills the request; 0 or a result (with its log line).
int makeRequest(Recorder &recorder, IsoTrack *track, const WriteRecord &record, uint32_t flags,
                uint32_t speed, const CallerSide &caller, BurnRequest &request)
{
    const std::optional<int> libburnSpeed = recorder.libburnSpeedFor(speed, flags);
    if (!libburnSpeed) {
        caller.log(LOG_TEXT_ERROR, recorder.name() + " does not offer the write speed " +
                                       std::to_string(speed) +
                                       (has(flags, BURN_FLAG_SPEED_IN_KBS) ? " kB/s" : "x"));
        return BURN_FAILED;
    }
    request.flags = flags;
    request.libburnSpeed = *libburnSpeed;
    request.imageSectors = track->vtbl->sizeInBlocks(track);
    request.recordMediaType = static_cast<uint32_t>(record.mediaType);
    if (track->vtbl->isMode2(track) == 1)
        caller.log(LOG_TEXT_INFO,
                   recorder.name() + " cannot write Mode 2 Form 1; the track is written as Mode 1");
    if (has(flags, BURN_FLAG_BOOKTYPE_DVDROM)) {
        request.recordBookType = recorder.canRecordBookType();
        if (!request.recordBookType)
            caller.log(LOG_TEXT_INFO,
                       recorder.name() + " cannot set the DVD-ROM book type on this disc; it keeps its own");
    }
    return 0;
}

} // namespace

int runBurn(Library &library, RecDeviceHandle handle, int format, void *writeRecord, uint32_t flags,
            uint32_t speed, RecProgress *progress)
{
    library.errors().clear();
    const CallerSide caller(library.settings(), progress, library.errors());
    const std::shared_ptr<Recorder> recorder = library.handles().find(handle);
    if (!recorder) {
        caller.log(LOG_TEXT_ERROR, "NeroBurn: the recorder handle is unknown or closed");
        return BURN_INVALID_DRIVE;
    }
    if (format != 0) {
        caller.log(LOG_TEXT_ERROR, "NeroBurn: only ISO tracks (format 0) can be burned");
        return BURN_FUNCTION_NOT_ALLOWED;
    }
    const WriteRecord *record = static_cast<const WriteRecord *>(writeRecord);
    IsoTrack *track = record != nullptr ? record->track : nullptr;
    if (track == nullptr || track->vtbl == nullptr) {
        caller.log(LOG_TEXT_ERROR, "NeroBurn: no write record or no track to burn");
        return BURN_FAILED;
    }
    if (!has(flags, BURN_FLAG_WRITE | BURN_FLAG_SIMULATE)) {
        caller.log(LOG_TEXT_ERROR, "NeroBurn: neither writing nor simulating was asked for");
        return BURN_FUNCTION_NOT_ALLOWED;
    }
    if (const int verdict = checkTrack(track, caller))
        return verdict;
    if (recorder->entry().kind != RecorderKind::Image && !library.libburnReady()) {
        caller.log(LOG_TEXT_ERROR, "libburn could not be started");
        return BURN_INVALID_DRIVE;
    }
    BurnRequest request;
    if (const int refused = makeRequest(*recorder, track, *record, flags, speed, caller, request))
        return refused;
    if (const int declined = chooseLayerBreak(*recorder, track, caller, request))
        return declined;
    BurnPreparation prepared = recorder->prepareBurn(request, caller);
    if (const int *result = std::get_if<int>(&prepared))
        return *result;
    if (!library.libburnReady())
        return BURN_INVALID_DRIVE;

    BurnPlan &plan = std::get<BurnPlan>(prepared);
    plan.write.simulate = has(flags, BURN_FLAG_SIMULATE);
    plan.write.underrunProof = has(flags, BURN_FLAG_UNDERRUN_PROT);
    plan.write.discAtOnce = has(flags, BURN_FLAG_DAO);
    JobChannel channel;
    JobOutcome outcome;
    runWhilePolling(
        [&](JobChannel &jobChannel) { outcome = writeVerifyCommit(track, plan, flags, jobChannel); }, channel,
        caller, PollKind::Burn);
    return resultOf(outcome, caller);
}

int runErase(Library &library, RecDeviceHandle handle, int mode)
{
    library.errors().clear();
    const CallerSide caller(library.settings(), nullptr, library.errors());
    const std::shared_ptr<Recorder> recorder = library.handles().find(handle);
    if (!recorder) {
        library.errors().add("NeroEraseCDRW: the recorder handle is unknown or closed");
        return ERASE_TIME_NO_DEVICE;
    }
    if (mode != ERASE_MODE_FULL && mode != ERASE_MODE_QUICK) {
        library.errors().add("NeroEraseCDRW: unknown erase mode " + std::to_string(mode));
        return ERASE_FAILED;
    }
    std::string whyNot;
    const int estimate = recorder->eraseEstimate(mode, whyNot);
    if (estimate < 0) {
        library.errors().add(whyNot);
        return estimate;
    }
    if (!library.libburnReady())
        return ERASE_FAILED;
    JobChannel channel;
    JobOutcome outcome;
    runWhilePolling([&](JobChannel &jobChannel) { outcome = recorder->erase(mode, jobChannel); }, channel,
                    caller, PollKind::Idle);
    if (outcome.status != JobOutcome::Status::Done) {
        library.errors().add("The erase failed: " + outcome.reason);
        return ERASE_FAILED;
    }
    return 0;
}

} // namespace reclib
