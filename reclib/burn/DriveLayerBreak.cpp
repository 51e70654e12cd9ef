#include "burn/DriveLayerBreak.h"

#include "burn/MmcDiscStructure.h"
#include "burn/ScsiSense.h"
#include "reclib_api.h"

#include <algorithm>

namespace reclib {
namespace {

constexpr std::chrono::milliseconds CommandTimeout{30000};

// Why a command did not end well, in words.
std::string failureOf(const ScsiOutcome &outcome)
{
    if (!outcome.transport.empty())
        return outcome.transport;
    if (const auto sense = mmc::decodeSense(outcome.sense))
        return mmc::describeSense(*sense);
    return "status " + std::to_string(outcome.status) + " without sense data";
}

// The drive's layer boundary, or the reason it gave none.
std::optional<mmc::LayerBoundary> readBoundary(IScsiChannel &channel, std::string &why)
{
    std::array<uint8_t, mmc::kLayerBoundaryLength> answer{};
    const mmc::Cdb12 cdb = mmc::readLayerBoundaryCdb();
    const ScsiOutcome outcome = channel.execute(cdb, DataDirection::FromDrive, answer, CommandTimeout);
    if (!outcome.good) {
        why = "the drive did not report its layer boundary: " + failureOf(outcome);
        return std::nullopt;
    }
    const auto boundary = mmc::parseLayerBoundary(answer);
    if (!boundary)
        why = "the drive's layer boundary answer is too short";
    return boundary;
}

void reportDriveBreak(IScsiChannel &channel, const DriveLayerBreakJob &job)
{
    std::string why;
    const auto boundary = readBoundary(channel, why);
    if (!boundary) {
        job.log(LOG_TEXT_WARNING, "Where the drive puts the layer break is not known: " + why);
        return;
    }
    const int64_t at = boundary->l0Capacity;
    if (job.imageSectors <= at) {
        job.log(LOG_TEXT_INFO, "The drive fills layer 0 up to sector " + std::to_string(at) +
                                   ": the image fits on layer 0, no layer break");
        return;
    }
    const bool cellStart =
        std::find(job.cellStarts.begin(), job.cellStarts.end(), at) != job.cellStarts.end();
    job.log(cellStart ? LOG_TEXT_INFO : LOG_TEXT_WARNING,
            "The drive puts the layer break at sector " + std::to_string(at) +
                (cellStart ? ", a cell start of the main title"
                           : ", not a cell start of the main title: a player may pause mid-scene"));
}

} // namespace

std::optional<std::string> settleDriveLayerBreak(std::unique_ptr<IScsiChannel> owned,
                                                 const DriveLayerBreakJob &job)
{
    IScsiChannel &channel = *owned;
    if (!job.dvdPlusR) {
        reportDriveBreak(channel, job);
        return std::nullopt;
    }
    const std::string prefix = "The layer break was not set on the drive, nothing was written: ";
    if (job.plannedBreak <= 0 || job.plannedBreak > UINT32_MAX)
        return prefix + "no break planned";
    auto list = mmc::layerBoundaryParameters(uint32_t(job.plannedBreak));
    const mmc::Cdb12 send = mmc::sendLayerBoundaryCdb();
    const ScsiOutcome sent = channel.execute(send, DataDirection::ToDrive, list, CommandTimeout);
    if (!sent.good)
        return prefix + "the drive refused layer 0 of " + std::to_string(job.plannedBreak) +
               " sectors: " + failureOf(sent);
    std::string why;
    const auto boundary = readBoundary(channel, why);
    if (!boundary)
        return prefix + why;
    const uint64_t expected = mmc::roundUpToEccBlock(uint64_t(job.plannedBreak));
    if (boundary->l0Capacity != expected)
        return prefix + "the drive reports layer 0 of " + std::to_string(boundary->l0Capacity) +
               " sectors instead of " + std::to_string(expected);
    owned.reset();
    if (!job.grabAgain(why))
        return "The drive took the layer break but could not be had again for the write, nothing was "
               "written: " +
               why;
    job.log(LOG_TEXT_INFO, "The drive took the layer break at sector " + std::to_string(expected));
    return std::nullopt;
}

} // namespace reclib
