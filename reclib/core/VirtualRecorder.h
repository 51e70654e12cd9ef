#pragma once

#include "core/Recorder.h"
#include "core/RecorderLock.h"
#include "recorders/MediumState.h"

#include <memory>

namespace reclib {

// A recorder that keeps its disc in a file: the disc image from sector 0,
// with the disc's state in a file beside it. Writes and erases go through
// libburn's stdio: pseudo-drives, paced at the chosen speed when the
// configuration asks for it. The medium and its state change together
// (MediumFiles), and only while this object holds the recorder's lock.
class VirtualRecorder : public Recorder
{
public:
    VirtualRecorder(RecorderEntry entry, const std::string &libraryFolder);

    // Takes the recorder's lock for this object's lifetime and then tidies
    // up after a job that ended early (an unfinished commit, temporary
    // files). False with the reason when another handle or another process
    // has the recorder.
    bool claim(std::string &whyNot);

    std::optional<DiscInfo> discInfo(std::string &whyNot) override;
    // The medium's folder has room for the image and its state, and the
    // medium and its state file can be replaced (neither is a folder).
    bool checkRoom(int64_t imageSectors, std::string &whyNot) override;
    BurnPreparation prepareBurn(const BurnRequest &request, const CallerSide &caller) override;
    bool canRecordBookType() override;
    int eraseEstimate(int mode, std::string &whyNot) override;
    JobOutcome erase(int mode, JobChannel &channel) override;
    int ejectLoad(bool eject, std::string &whyNot) override;
    int64_t layer0Limit() override;

    const std::string &mediumPath() const { return m_mediumPath; }

private:
    const VirtualRecorderSettings &spec() const { return entry().virtualSpec; }
    MediumState loadState() const;
    // Why the configuration leaves the disc unknown, or empty.
    std::string unknownDisc() const;
    // Why the medium and its state cannot be replaced, or empty.
    std::string unreplaceable() const;
    int64_t capacityOf(const MediumState &state) const;
    int64_t layer0LimitOf(const MediumState &state) const;
    // Why this disc cannot take the burn, or empty when it can.
    std::string unusableBecause(const MediumState &state, const BurnRequest &request) const;
    std::optional<MediumState> awaitUsableDisc(const BurnRequest &request, const CallerSide &caller);
    int fastestSpeed() const;

    std::string m_mediumPath;
    std::string m_changerPath; // empty without a disc changer
    std::unique_ptr<RecorderLock> m_lock;
};

} // namespace reclib
