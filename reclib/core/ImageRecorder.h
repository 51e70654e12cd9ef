#pragma once

#include "core/Recorder.h"

namespace reclib {

// The "Image Recorder": writes the disc image to a file the program names
// through user dialog 20. The file holds a plain ISO/UDF image whatever its
// extension.
class ImageRecorder : public Recorder
{
public:
    explicit ImageRecorder(RecorderEntry entry) : Recorder(std::move(entry)) {}

    std::optional<DiscInfo> discInfo(std::string &whyNot) override;
    BurnPreparation prepareBurn(const BurnRequest &request, const CallerSide &caller) override;
    bool canRecordBookType() override { return false; }
    int eraseEstimate(int mode, std::string &whyNot) override;
    JobOutcome erase(int mode, JobChannel &channel) override;
    int ejectLoad(bool, std::string &) override { return 0; }
};

} // namespace reclib
