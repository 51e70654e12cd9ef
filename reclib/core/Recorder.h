#pragma once

#include "burn/TrackWriter.h"
#include "core/CallerSide.h"
#include "recorders/RecorderEntry.h"

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace reclib {

// What NeroBurn asks of the recorder, taken from its arguments.
struct BurnRequest
{
    uint32_t flags = 0;
    int libburnSpeed = 0; // already checked against the recorder's list
    int64_t imageSectors = 0;
    uint32_t recordMediaType = 0; // the write record's media type: 12 DVD, 1 CD, 0 any
    bool recordBookType = false;  // set the DVD-ROM book type (the recorder can)
    // A dual-layer disc: the planned size of layer 0 (the first sector of
    // layer 1); 0 when none was planned.
    int64_t layerBreak = 0;
    // The main title's cell starts on the disc as laid out: a drive that
    // places the break itself is checked against them.
    std::vector<int64_t> cellStarts;
};

// Where and how the write goes, decided on the caller's thread before the
// worker starts.
struct BurnPlan
{
    WriteOptions write;
    std::string readBackPath; // what verify reads: the written file or the drive
    // Verify reads back no faster than this (1000 bytes/s), as a disc would;
    // 0: as fast as the read-back path gives it.
    int readBackSpeed = 0;
    FaultInjection corruptAfterWrite;
    // Makes a file-backed write final (rename, medium state); runs on the
    // worker after the write (and verify) succeeded. Empty for real drives.
    std::function<bool(std::string &error)> commit;
    // Throws away what a failed or simulated write left. May be empty.
    std::function<void()> discard;
    // Part of verify, after the commit: whether the disc took the planned
    // layer break. Empty when the recorder cannot tell.
    std::function<bool(std::string &error)> verifyLayerBreak;
};

// A NeroBurn result with the reason already logged.
using BurnPreparation = std::variant<BurnPlan, int>;

// An open recorder of any kind.
class Recorder
{
public:
    explicit Recorder(RecorderEntry entry) : m_entry(std::move(entry)) {}
    virtual ~Recorder() = default;
    Recorder(const Recorder &) = delete;
    Recorder &operator=(const Recorder &) = delete;

    const RecorderEntry &entry() const { return m_entry; }
    const std::string &name() const { return m_entry.name; }

    // The disc information record, or nothing (with the reason) when no
    // disc can be described. With a record, whyNot may hold a note the
    // program should show: why the disc counts as used, for one.
    virtual std::optional<DiscInfo> discInfo(std::string &whyNot) = 0;

    // Before anything changes the disc: true when an image of imageSectors
    // can be written and made final, else false with the reason. Only what
    // the recorder can know before the burn is checked here.
    virtual bool checkRoom(int64_t imageSectors, std::string &whyNot)
    {
        (void)imageSectors;
        (void)whyNot;
        return true;
    }

    // On the caller's thread: checks the disc, asks the program what it
    // must (user dialogs) and returns the plan or a result code.
    virtual BurnPreparation prepareBurn(const BurnRequest &request, const CallerSide &caller) = 0;

    // True when the disc in it can carry the DVD-ROM book type.
    virtual bool canRecordBookType() = 0;

    // Seconds the erase will take, or one of the ERASE_TIME_* codes.
    virtual int eraseEstimate(int mode, std::string &whyNot) = 0;
    // On a worker thread; the estimate was checked before.
    virtual JobOutcome erase(int mode, JobChannel &channel) = 0;

    // 0 on success.
    virtual int ejectLoad(bool eject, std::string &whyNot) = 0;
    // The largest layer 0 of the dual-layer disc in it, or 0.
    virtual int64_t layer0Limit() { return 0; }

    // The libburn speed for NeroBurn's speed argument (kB/s with
    // BURN_FLAG_SPEED_IN_KBS, else a multiple of 1x); 0 = fastest; nothing
    // when the recorder does not list that speed.
    std::optional<int> libburnSpeedFor(uint32_t speed, uint32_t flags) const;

private:
    RecorderEntry m_entry;
};

} // namespace reclib
