#include "core/VirtualRecorder.h"

#include "burn/DiscEraser.h"
#include "core/DiscChanger.h"
#include "core/FileTarget.h"
#include "core/MediumFiles.h"
#include "recorders/EraseEstimate.h"
#include "recorders/LayerBreakRule.h"
#include "recorders/SpeedMapping.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

namespace reclib {
namespace {

// The state file beside the image is a few hundred bytes: one block.
constexpr int64_t StateFileBytes = 4096;

// Why path is there but is no file a rename can replace, or empty.
std::string notAFile(const std::string &path, const std::string &what)
{
    struct stat info
    {
    };
    if (::lstat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))
        return {};
    return "The " + what + " " + path + " is not a file";
}

template <size_t Size> void copyName(char (&target)[Size], std::string_view text)
{
    const size_t length = std::min(text.size(), Size - 1);
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}

} // namespace

VirtualRecorder::VirtualRecorder(RecorderEntry entry, const std::string &libraryFolder)
    : Recorder(std::move(entry))
{
    const std::string &file = spec().mediumFile;
    m_mediumPath = !file.empty() && file.front() == '/' ? file : libraryFolder + "/" + file;
    const std::string &changer = spec().changerFolder;
    if (!changer.empty())
        m_changerPath = changer.front() == '/' ? changer : libraryFolder + "/" + changer;
}

bool VirtualRecorder::claim(std::string &whyNot)
{
    std::error_code noFolder;
    std::filesystem::create_directories(folderOf(m_mediumPath), noFolder);
    RecorderLock::Refusal refusal = RecorderLock::Refusal::None;
    std::string error;
    m_lock = RecorderLock::acquire(m_mediumPath, refusal, error);
    if (!m_lock) {
        whyNot = refusal == RecorderLock::Refusal::InUse
                     ? "The recorder \"" + name() + "\" is in use by another program"
                     : "The recorder \"" + name() + "\" cannot be opened: " + error;
        return false;
    }
    MediumFiles(m_mediumPath).recover();
    return true;
}

MediumState VirtualRecorder::loadState() const
{
    MediumState state = MediumState::load(spec(), m_mediumPath);
    // A look at an empty tray takes the changer's next disc.
    if (!m_changerPath.empty() && DiscChanger(m_changerPath, m_mediumPath).loadWaiting(state))
        state = MediumState::load(spec(), m_mediumPath);
    return state;
}

std::string VirtualRecorder::unknownDisc() const
{
    if (spec().mediumProblem.empty())
        return {};
    return "The configuration does not say which disc is in " + name() + ": " + spec().mediumProblem;
}

std::string VirtualRecorder::unreplaceable() const
{
    std::string why = notAFile(m_mediumPath, "medium file of " + name());
    if (why.empty())
        why = notAFile(MediumFiles(m_mediumPath).statePath(), "state file of " + name());
    return why.empty() ? why : why + "; the disc cannot be changed";
}

bool VirtualRecorder::checkRoom(int64_t imageSectors, std::string &whyNot)
{
    whyNot = unreplaceable();
    if (!whyNot.empty())
        return false;
    // The old medium stays until the new one is complete: the new image and
    // state need room of their own.
    const int64_t needed = imageSectors * SECTOR_SIZE + StateFileBytes;
    const int64_t freeBytes = freeBytesNear(m_mediumPath);
    if (freeBytes < 0 || freeBytes >= needed)
        return true;
    whyNot = "Not enough free space in " + folderOf(m_mediumPath) + " for the disc image of " + name() +
             ": it needs " + std::to_string(needed) + " bytes, " + std::to_string(freeBytes) + " are free";
    return false;
}

int64_t VirtualRecorder::capacityOf(const MediumState &state) const
{
    return spec().capacitySectors.value_or(traitsOf(state.kind).capacitySectors);
}

int64_t VirtualRecorder::layer0LimitOf(const MediumState &state) const
{
    const int64_t limit = traitsOf(state.kind).layer0LimitSectors;
    if (limit == 0 || !spec().capacitySectors)
        return limit;
    // A smaller dual-layer disc (for tests): half of it on layer 0.
    return std::min(limit, *spec().capacitySectors / 2 / 16 * 16);
}

int VirtualRecorder::fastestSpeed() const
{
    return spec().speeds.empty() ? 0 : spec().speeds.back();
}

std::optional<DiscInfo> VirtualRecorder::discInfo(std::string &whyNot)
{
    whyNot = unknownDisc();
    if (!whyNot.empty())
        return std::nullopt;
    const MediumState state = loadState();
    if (!state.present()) {
        whyNot = "There is no disc in " + name();
        return std::nullopt;
    }
    whyNot = state.doubt;
    const MediumTraits &traits = traitsOf(state.kind);
    DiscInfo info;
    std::memset(&info, 0, sizeof info);
    info.mediumType = traits.discInfoMediumType;
    info.mediaType = traits.discInfoMediaType;
    info.contentCount = state.blank ? 0 : state.contentCount;
    info.capacitySectors = static_cast<int32_t>(capacityOf(state));
    info.usedSectors = static_cast<int32_t>(state.blank ? 0 : state.usedSectors);
    info.bookType = state.dvdRomBookType ? 1 : 0;
    info.erasable = traits.rewritable ? 1 : 0;
    copyName(info.mediaName, traits.name);
    return info;
}

std::string VirtualRecorder::unusableBecause(const MediumState &state, const BurnRequest &request) const
{
    if (!unknownDisc().empty())
        return unknownDisc();
    if (!state.present())
        return "There is no disc in " + name();
    const MediumTraits &traits = traitsOf(state.kind);
    const uint32_t wanted = request.recordMediaType != 0 ? request.recordMediaType : entry().mediaSet;
    if ((traits.family & entry().mediaSet & wanted) == 0)
        return "The " + std::string(traits.name) + " in " + name() +
               " is not the kind of disc this burn needs";
    if (!state.blank && !traits.rewritable)
        return "The " + std::string(traits.name) + " in " + name() + " is already written";
    return {};
}

std::optional<MediumState> VirtualRecorder::awaitUsableDisc(const BurnRequest &request,
                                                            const CallerSide &caller)
{
    MediumState state = loadState();
    std::string problem = unusableBecause(state, request);
    if (problem.empty())
        return state;
    // Tell the program we wait for a disc; it may put one in while it shows
    // its message, so look once more afterwards.
    const int reason = state.present() ? WAIT_REASON_WRONG_MEDIUM : WAIT_REASON_INSERT_MEDIUM;
    caller.userDialog(DLG_WAITCD, reinterpret_cast<void *>(static_cast<intptr_t>(reason)));
    state = loadState();
    problem = unusableBecause(state, request);
    if (problem.empty())
        return state;
    caller.log(LOG_TEXT_ERROR, problem);
    return std::nullopt;
}

BurnPreparation VirtualRecorder::prepareBurn(const BurnRequest &request, const CallerSide &caller)
{
    const std::optional<MediumState> found = awaitUsableDisc(request, caller);
    if (!found)
        return BURN_FAILED;
    MediumState state = *found;
    if (!state.doubt.empty())
        caller.log(LOG_TEXT_INFO, state.doubt);
    const MediumTraits &traits = traitsOf(state.kind);
    if (request.imageSectors > capacityOf(state)) {
        caller.log(LOG_TEXT_ERROR, "The image needs " + std::to_string(request.imageSectors) +
                                       " sectors, but the " + std::string(traits.name) + " in " + name() +
                                       " holds only " + std::to_string(capacityOf(state)));
        return BURN_FAILED;
    }
    // A dual-layer disc takes the planned break; without one the drive
    // fills layer 0 first.
    const int64_t limit = layer0LimitOf(state);
    int64_t layerBreak = request.layerBreak;
    if (layerBreak == 0 && limit > 0 && request.imageSectors > limit)
        layerBreak = limit;
    if (layerBreak != 0) {
        const std::string refused = RefusedLayerBreak(layerBreak, request.imageSectors, limit);
        if (!refused.empty()) {
            caller.log(LOG_TEXT_ERROR, refused);
            return BURN_FAILED;
        }
    }
    // A simulation never changes the disc, so there is nothing to ask: it
    // runs as onto a blank disc and nothing is committed afterwards.
    const bool simulate = (request.flags & BURN_FLAG_SIMULATE) != 0;
    if (!state.blank && !simulate && (request.flags & BURN_FLAG_DETECT_NON_EMPTY_RW) != 0) {
        if (caller.userDialog(DLG_NON_EMPTY_REWRITABLE, nullptr) != 5) {
            caller.log(LOG_TEXT_WARNING,
                       "The written " + std::string(traits.name) + " in " + name() + " was not overwritten");
            return BURN_USER_ABORT;
        }
    }

    std::error_code ignored;
    std::filesystem::create_directories(folderOf(m_mediumPath), ignored);
    const int64_t imageBytes = request.imageSectors * SECTOR_SIZE;
    std::string error;
    if (!simulate && !checkRoom(request.imageSectors, error)) {
        caller.log(LOG_TEXT_ERROR, error);
        return BURN_FAILED;
    }
    const std::shared_ptr<FileTarget> target = FileTarget::create(m_mediumPath, error);
    if (!target) {
        caller.log(LOG_TEXT_ERROR, error);
        return BURN_FAILED;
    }

    BurnPlan plan;
    plan.write.address = "stdio:" + target->temporaryPath();
    plan.write.libburnSpeed =
        spec().paced ? (request.libburnSpeed != 0 ? request.libburnSpeed : fastestSpeed()) : 0;
    plan.write.fault = spec().fault;
    plan.write.sha256 = spec().checksum;
    plan.readBackPath = target->temporaryPath();
    plan.readBackSpeed = plan.write.libburnSpeed;
    if (spec().fault.kind == FaultInjection::Kind::CorruptSector)
        plan.corruptAfterWrite = spec().fault;
    state.blank = false;
    state.contentCount = 1;
    state.usedSectors = request.imageSectors;
    state.dvdRomBookType = request.recordBookType;
    state.layerBreak = layerBreak;
    if (layerBreak != 0)
        plan.verifyLayerBreak = [spec = spec(), path = m_mediumPath, layerBreak](std::string &why) {
            const int64_t recorded = MediumState::load(spec, path).layerBreak;
            if (recorded == layerBreak)
                return true;
            why = "The disc's layer break is at sector " + std::to_string(recorded) +
                  ", not at the planned " + std::to_string(layerBreak);
            return false;
        };
    const MediumFiles files(m_mediumPath);
    const FaultInjection fault = spec().fault;
    plan.commit = [target, state, files, imageBytes, fault](std::string &commitError) {
        return files.replace(*target, imageBytes, state, fault, commitError);
    };
    plan.discard = [target] { target->discard(); };
    return plan;
}

bool VirtualRecorder::canRecordBookType()
{
    const MediumState state = loadState();
    return state.present() && traitsOf(state.kind).canRecordBookType;
}

int VirtualRecorder::eraseEstimate(int mode, std::string &whyNot)
{
    whyNot = unknownDisc();
    if (!whyNot.empty())
        return ERASE_TIME_NO_MEDIUM;
    const MediumState state = loadState();
    if (!state.present()) {
        whyNot = "There is no disc in " + name();
        return ERASE_TIME_NO_MEDIUM;
    }
    if (!traitsOf(state.kind).rewritable) {
        whyNot = "The " + std::string(traitsOf(state.kind).name) + " in " + name() + " cannot be erased";
        return ERASE_TIME_NOT_ERASABLE;
    }
    const SpeedFamily family = isDvd(state.kind) ? SpeedFamily::Dvd : SpeedFamily::Cd;
    const int speed = fastestSpeed() != 0 ? fastestSpeed() : libburnFromMultiple(1, family);
    return eraseSeconds(capacityOf(state), mode, speed, spec().eraseTimeScale);
}

JobOutcome VirtualRecorder::erase(int mode, JobChannel &channel)
{
    std::string ignored;
    const int seconds = eraseEstimate(mode, ignored);
    const auto start = std::chrono::steady_clock::now();
    channel.phase(mode == ERASE_MODE_QUICK ? "Quick erase of " + name() : "Full erase of " + name());

    std::error_code noFolder;
    std::filesystem::create_directories(folderOf(m_mediumPath), noFolder);
    // The blank disc is made in a file of its own beside the medium and
    // replaces the medium and its state in one commit at the end: an erase
    // that is ended early leaves the disc as it was.
    std::string error = unreplaceable();
    if (!error.empty())
        return JobOutcome::failed(error);
    const std::shared_ptr<FileTarget> blankDisc = FileTarget::create(m_mediumPath, error);
    if (!blankDisc)
        return JobOutcome::failed(error);
    JobOutcome outcome = eraseImageFile(blankDisc->temporaryPath(), mode == ERASE_MODE_QUICK);
    if (outcome.status != JobOutcome::Status::Done)
        return outcome;
    if (spec().paced) {
        // A disc takes its time; so does a paced virtual one. An abort ends
        // the wait, not the erase: the blank disc is made already, and an
        // erase once begun completes, as a drive's does.
        const auto end = start + std::chrono::seconds(std::max(0, seconds));
        while (!channel.cancelRequested() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    MediumState state = loadState();
    state.blank = true;
    state.contentCount = 0;
    state.usedSectors = 0;
    state.dvdRomBookType = false;
    if (!MediumFiles(m_mediumPath).replace(*blankDisc, 0, state, spec().fault, error))
        return JobOutcome::failed(error);
    return outcome;
}

int64_t VirtualRecorder::layer0Limit()
{
    const MediumState state = loadState();
    return state.present() ? layer0LimitOf(state) : 0;
}

int VirtualRecorder::ejectLoad(bool eject, std::string &whyNot)
{
    // Without a changer the disc stays where it is, as in a drive that
    // cannot open its tray.
    if (m_changerPath.empty())
        return 0;
    const DiscChanger changer(m_changerPath, m_mediumPath);
    const MediumState state = MediumState::load(spec(), m_mediumPath);
    if (!eject) {
        changer.loadWaiting(state);
        return 0;
    }
    return changer.eject(state, whyNot) ? 0 : -1;
}

} // namespace reclib
