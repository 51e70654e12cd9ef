#pragma once

#include "burn/DriveScanner.h"
#include "core/Recorder.h"

namespace reclib {

// A real optical drive through libburn. It writes through the same engine
// as the file-backed recorders; only the drive address differs. It needs
// no lock of ours: libburn grabs a drive exclusively for each job.
class DriveRecorder : public Recorder
{
public:
    explicit DriveRecorder(RecorderEntry entry) : Recorder(std::move(entry)) {}

    std::optional<DiscInfo> discInfo(std::string &whyNot) override;
    BurnPreparation prepareBurn(const BurnRequest &request, const CallerSide &caller) override;
    bool canRecordBookType() override { return false; }
    int eraseEstimate(int mode, std::string &whyNot) override;
    JobOutcome erase(int mode, JobChannel &channel) override;
    int ejectLoad(bool eject, std::string &whyNot) override;
    int64_t layer0Limit() override;

private:
    std::optional<DriveDisc> probe(std::string &whyNot) const;
    // Before the write onto a blank dual-layer disc: 0, or BURN_FAILED with
    // the reason logged.
    int settleLayerBreak(const DriveDisc &disc, const BurnRequest &request, const CallerSide &caller);
};

} // namespace reclib
