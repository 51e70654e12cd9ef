#include "core/DriveRecorder.h"

#include "burn/DiscEraser.h"
#include "burn/DriveLayerBreak.h"
#include "recorders/DriveDecisions.h"
#include "recorders/DriveEraseEstimate.h"
#include "recorders/ProfileMapping.h"

#include <cstring>

namespace reclib {

std::optional<DriveDisc> DriveRecorder::probe(std::string &whyNot) const
{
    std::optional<DriveDisc> disc = probeDrive(entry().driveAddress, whyNot);
    if (disc && !mediumFromProfile(disc->profile)) {
        whyNot = noWritableDiscText(name());
        return std::nullopt;
    }
    return disc;
}

std::optional<DiscInfo> DriveRecorder::discInfo(std::string &whyNot)
{
    const std::optional<DriveDisc> disc = probe(whyNot);
    if (!disc)
        return std::nullopt;
    const MediumKind kind = *mediumFromProfile(disc->profile);
    const DiscInfoFields fields = discInfoFieldsFor(kind, disc->blank ? 0 : disc->sessions);
    DiscInfo info;
    std::memset(&info, 0, sizeof info);
    info.mediumType = fields.mediumType;
    info.mediaType = fields.mediaType;
    info.contentCount = fields.contentCount;
    info.capacitySectors = static_cast<int32_t>(disc->capacitySectors);
    info.erasable = disc->erasable ? 1 : 0;
    const std::string_view mediaName = traitsOf(kind).name;
    std::memcpy(info.mediaName, mediaName.data(), mediaName.size());
    // Shown in the log after the disc is looked at: good media from bad.
    whyNot = disc->mediaNote;
    return info;
}

BurnPreparation DriveRecorder::prepareBurn(const BurnRequest &request, const CallerSide &caller)
{
    std::string whyNot;
    std::optional<DriveDisc> disc = probe(whyNot);
    if (!disc) {
        caller.userDialog(DLG_WAITCD,
                          reinterpret_cast<void *>(static_cast<intptr_t>(WAIT_REASON_INSERT_MEDIUM)));
        disc = probe(whyNot);
    }
    if (!disc) {
        caller.log(LOG_TEXT_ERROR, whyNot);
        return BURN_FAILED;
    }
    const MediumKind kind = *mediumFromProfile(disc->profile);
    // A simulation leaves the disc as it is: nothing to ask.
    const bool simulate = (request.flags & BURN_FLAG_SIMULATE) != 0;
    if (askBeforeOverwriting(disc->blank, traitsOf(kind).rewritable,
                             !simulate && (request.flags & BURN_FLAG_DETECT_NON_EMPTY_RW) != 0) &&
        caller.userDialog(DLG_NON_EMPTY_REWRITABLE, nullptr) != 5) {
        caller.log(LOG_TEXT_WARNING, notOverwrittenText(kind));
        return BURN_USER_ABORT;
    }
    if (const int failed = settleLayerBreak(*disc, request, caller))
        return failed;
    BurnPlan plan;
    plan.write.address = entry().driveAddress;
    plan.write.libburnSpeed = request.libburnSpeed;
    plan.write.eject = (request.flags & BURN_FLAG_NO_EJECT) == 0;
    plan.readBackPath = entry().driveAddress;
    return plan;
}

int64_t DriveRecorder::layer0Limit()
{
    std::string whyNot;
    const std::optional<DriveDisc> disc = probe(whyNot);
    const std::optional<MediumKind> dual = disc ? dualLayerFromProfile(disc->profile) : std::nullopt;
    return dual && disc->blank ? traitsOf(*dual).layer0LimitSectors : 0;
}

int DriveRecorder::settleLayerBreak(const DriveDisc &disc, const BurnRequest &request,
                                    const CallerSide &caller)
{
    const std::optional<MediumKind> dual = dualLayerFromProfile(disc.profile);
    if (!dual || !disc.blank || request.layerBreak <= 0)
        return 0;
    const bool plusR = *dual == MediumKind::DvdPlusRDl;
    if (plusR && (request.flags & BURN_FLAG_SIMULATE) != 0) {
        caller.log(LOG_TEXT_INFO, "A simulation leaves the drive's layer break as it is");
        return 0;
    }
    // probe() released libburn's grab: the device node is ours until the
    // write grabs the drive again.
    std::string error;
    std::unique_ptr<IScsiChannel> channel = openSgIoChannel(entry().driveAddress, error);
    if (!channel) {
        if (!plusR) {
            caller.log(LOG_TEXT_WARNING, "Where the drive puts the layer break is not known: " + error);
            return 0;
        }
        caller.log(LOG_TEXT_ERROR, "The layer break was not set on the drive, nothing was written: " + error);
        return BURN_FAILED;
    }
    DriveLayerBreakJob job;
    job.dvdPlusR = plusR;
    job.plannedBreak = request.layerBreak;
    job.imageSectors = request.imageSectors;
    job.cellStarts = request.cellStarts;
    job.log = [&caller](int type, const std::string &text) { caller.log(type, text); };
    job.grabAgain = [this, &disc](std::string &why) {
        const std::optional<DriveDisc> again = probe(why);
        if (!again)
            return false;
        if (again->profile != disc.profile || !again->blank) {
            why = "the disc in the drive is no longer the blank one";
            return false;
        }
        return true;
    };
    if (const std::optional<std::string> failure = settleDriveLayerBreak(std::move(channel), job)) {
        caller.log(LOG_TEXT_ERROR, *failure);
        return BURN_FAILED;
    }
    return 0;
}

int DriveRecorder::eraseEstimate(int mode, std::string &whyNot)
{
    const std::optional<DriveDisc> disc = probe(whyNot);
    if (!disc)
        return ERASE_TIME_NO_MEDIUM;
    const EraseMethod method = eraseMethodFor(disc->profile, mode);
    const int seconds = method == EraseMethod::NotErasable
                            ? -1
                            : driveEraseSeconds(*mediumFromProfile(disc->profile), method,
                                                disc->capacitySectors, disc->blankingSpeed);
    if (seconds < 0) {
        whyNot = notErasableText(name());
        return ERASE_TIME_NOT_ERASABLE;
    }
    return seconds;
}

JobOutcome DriveRecorder::erase(int mode, JobChannel &)
{
    std::string whyNot;
    const std::optional<DriveDisc> disc = probe(whyNot);
    if (!disc)
        return JobOutcome::failed(whyNot);
    return eraseDriveDisc(entry().driveAddress, eraseMethodFor(disc->profile, mode));
}

int DriveRecorder::ejectLoad(bool eject, std::string &whyNot)
{
    return moveTray(entry().driveAddress, eject, whyNot) ? 0 : -1;
}

} // namespace reclib
