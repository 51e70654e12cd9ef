#include "burn/DiscEraser.h"

#include "burn/Libburn.h"
#include "recorders/DriveDecisions.h"
#include "sysio/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace reclib {
namespace {

JobOutcome runErase(GrabbedDrive &drive, EraseMethod method)
{
    Libburn::takeMessages();
    if (method == EraseMethod::Format) {
        // Bit 4 of the flag: format DVD+RW even when it was formatted before.
        burn::burn_disc_format(drive.drive(), 0, 0x10);
    } else {
        burn::burn_disc_erase(drive.drive(), method == EraseMethod::BlankFast ? 1 : 0);
    }
    drive.waitUntilIdle([](const burn::burn_progress &) {});
    const std::vector<std::string> messages = Libburn::takeMessages();
    if (burn::burn_drive_wrote_well(drive.drive()) != 1)
        return JobOutcome::failed(eraseFailureText(messages));
    return JobOutcome::done();
}

} // namespace

JobOutcome eraseImageFile(const std::string &path, bool fast)
{
    const sysio::UniqueFd file(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    if (!file.valid())
        return JobOutcome::failed("cannot open " + path + ": " + std::strerror(errno));
    // Roles 4 and 5 are off by default; only a write-only descriptor
    // becomes role 5, so ordinary grabs by path keep role 2.
    burn::burn_allow_drive_role_4(1);
    JobOutcome outcome;
    {
        std::string error;
        std::unique_ptr<GrabbedDrive> drive =
            GrabbedDrive::grab("stdio:/dev/fd/" + std::to_string(file.get()), error);
        outcome = drive ? runErase(*drive, fast ? EraseMethod::BlankFast : EraseMethod::BlankFull)
                        : JobOutcome::failed(error);
    }
    // Whatever libburn did, an erased medium holds no bytes.
    if (outcome.status == JobOutcome::Status::Done && ::ftruncate(file.get(), 0) != 0)
        outcome = JobOutcome::failed("cannot truncate " + path + ": " + std::strerror(errno));
    return outcome;
}

JobOutcome eraseDriveDisc(const std::string &address, EraseMethod method)
{
    if (method == EraseMethod::NotErasable)
        return JobOutcome::failed("the disc cannot be erased");
    std::string error;
    std::unique_ptr<GrabbedDrive> drive = GrabbedDrive::grab(address, error);
    if (!drive)
        return JobOutcome::failed(error);
    return runErase(*drive, method);
}

} // namespace reclib
