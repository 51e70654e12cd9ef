#include "burn/ScsiChannel.h"

#include "sysio/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>

namespace reclib {
namespace {

class SgIoChannel : public IScsiChannel
{
public:
    explicit SgIoChannel(sysio::UniqueFd fd) : m_fd(std::move(fd)) {}

    ScsiOutcome execute(std::span<const uint8_t> cdb, DataDirection direction, std::span<uint8_t> buffer,
                        std::chrono::milliseconds timeout) override
    {
        ScsiOutcome outcome;
        uint8_t sense[64] = {};
        sg_io_hdr_t io{};
        io.interface_id = 'S';
        io.dxfer_direction = direction == DataDirection::ToDrive     ? SG_DXFER_TO_DEV
                             : direction == DataDirection::FromDrive ? SG_DXFER_FROM_DEV
                                                                     : SG_DXFER_NONE;
        io.cmd_len = static_cast<unsigned char>(cdb.size());
        // The kernel only reads the command block.
        io.cmdp = const_cast<unsigned char *>(cdb.data());
        io.dxfer_len = direction == DataDirection::None ? 0 : static_cast<unsigned>(buffer.size());
        io.dxferp = direction == DataDirection::None ? nullptr : buffer.data();
        io.mx_sb_len = sizeof sense;
        io.sbp = sense;
        io.timeout = static_cast<unsigned>(timeout.count());
        if (::ioctl(m_fd.get(), SG_IO, &io) < 0) {
            outcome.transport = std::string("SG_IO failed: ") + std::strerror(errno);
            return outcome;
        }
        outcome.status = io.status;
        outcome.sense.assign(sense, sense + io.sb_len_wr);
        if (io.host_status != 0 || (io.driver_status & 0x0F) != 0) {
            // DRIVER_SENSE (08h) alone only says sense data came back.
            outcome.transport = "the drive did not answer (host status " + std::to_string(io.host_status) +
                                ", driver status " + std::to_string(io.driver_status) + ")";
            return outcome;
        }
        outcome.good = io.status == 0;
        return outcome;
    }

private:
    sysio::UniqueFd m_fd;
};

} // namespace

std::unique_ptr<IScsiChannel> openSgIoChannel(const std::string &deviceNode, std::string &error)
{
    sysio::UniqueFd fd(::open(deviceNode.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        error = "cannot open " + deviceNode + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::make_unique<SgIoChannel>(std::move(fd));
}

} // namespace reclib
