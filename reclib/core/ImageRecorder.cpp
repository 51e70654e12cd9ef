#include "core/ImageRecorder.h"

#include "core/FileTarget.h"
#include "core/RecorderLock.h"

#include <cstring>
#include <vector>

namespace reclib {

std::optional<DiscInfo> ImageRecorder::discInfo(std::string &)
{
    // An image file is always an empty, writable "disc".
    DiscInfo info;
    std::memset(&info, 0, sizeof info);
    info.mediumType = MEDIUM_TYPE_NONE;
    std::strcpy(info.mediaName, "Image file");
    return info;
}

BurnPreparation ImageRecorder::prepareBurn(const BurnRequest &request, const CallerSide &caller)
{
    std::vector<char> buffer(IMAGE_PATH_BUFFER_SIZE, '\0');
    if (caller.userDialog(DLG_IMAGE_FILENAME, buffer.data()) != 1) {
        caller.log(LOG_TEXT_WARNING, "No image file was chosen; the burn is cancelled");
        return BURN_USER_ABORT;
    }
    // The program fills the buffer; never trust it to end the text.
    buffer.back() = '\0';
    const std::string path(buffer.data());
    if (path.empty()) {
        caller.log(LOG_TEXT_ERROR, "The image file name is empty");
        return BURN_FAILED;
    }
    const int64_t imageBytes = request.imageSectors * SECTOR_SIZE;
    const int64_t freeBytes = freeBytesNear(path);
    if (freeBytes < 0) {
        caller.log(LOG_TEXT_ERROR, "The folder of the image file " + path + " does not exist");
        return BURN_FAILED;
    }
    if ((request.flags & BURN_FLAG_SIMULATE) == 0 && freeBytes < imageBytes) {
        caller.log(LOG_TEXT_ERROR, "Not enough free space for the image file " + path + ": it needs " +
                                       std::to_string(imageBytes) + " bytes, " + std::to_string(freeBytes) +
                                       " are free");
        return BURN_FAILED;
    }
    // One burn per image file: a second program writing the same file would
    // replace the first one's image with its own.
    RecorderLock::Refusal refusal = RecorderLock::Refusal::None;
    std::string error;
    const std::shared_ptr<RecorderLock> lock = RecorderLock::acquire(path, refusal, error);
    if (!lock) {
        caller.log(LOG_TEXT_ERROR, refusal == RecorderLock::Refusal::InUse
                                       ? "The image file " + path + " is in use by another program"
                                       : error);
        return BURN_FAILED;
    }
    removeLeftTemporaries(path);
    const std::shared_ptr<FileTarget> target = FileTarget::create(path, error);
    if (!target) {
        caller.log(LOG_TEXT_ERROR, error);
        return BURN_FAILED;
    }
    caller.log(LOG_TEXT_INFO, "Writing the image file " + path);

    BurnPlan plan;
    plan.write.address = "stdio:" + target->temporaryPath();
    plan.readBackPath = target->temporaryPath();
    // The plan keeps the lock until the burn is over.
    plan.commit = [target, imageBytes, lock](std::string &commitError) {
        return target->commit(imageBytes, commitError);
    };
    plan.discard = [target, lock] { target->discard(); };
    return plan;
}

int ImageRecorder::eraseEstimate(int, std::string &whyNot)
{
    whyNot = "An image file cannot be erased";
    return ERASE_TIME_NOT_ERASABLE;
}

JobOutcome ImageRecorder::erase(int, JobChannel &)
{
    return JobOutcome::failed("An image file cannot be erased");
}

} // namespace reclib
