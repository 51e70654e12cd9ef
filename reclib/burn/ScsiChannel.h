#pragma once
// One SCSI command to a drive and its outcome, behind an interface so that
// the commands we build can be checked against a drive that is not there.

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace reclib {

enum class DataDirection { None, ToDrive, FromDrive };

struct ScsiOutcome
{
    bool good = false;          // GOOD status, no transport trouble
    uint8_t status = 0;         // SCSI status (02h CHECK CONDITION)
    std::vector<uint8_t> sense; // what the drive returned with CHECK CONDITION
    std::string transport;      // when the command did not reach the drive, why
};

class IScsiChannel
{
public:
    virtual ~IScsiChannel() = default;
    // buffer is what goes to the drive (ToDrive) or room for its answer
    // (FromDrive); it is not resized.
    virtual ScsiOutcome execute(std::span<const uint8_t> cdb, DataDirection direction,
                                std::span<uint8_t> buffer, std::chrono::milliseconds timeout) = 0;
};

// The channel over Linux's SG_IO on a drive's device node ("/dev/sr0"),
// opened O_RDWR | O_NONBLOCK; nothing (with the reason) when it cannot be
// opened.
std::unique_ptr<IScsiChannel> openSgIoChannel(const std::string &deviceNode, std::string &error);

} // namespace reclib
