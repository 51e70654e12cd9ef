#pragma once

#include "sysio/UniqueFd.h"

#include <memory>
#include <string>

namespace reclib {

// One job per recorder, across processes: an advisory lock (flock) on
// "<path>.lock" beside the file a recorder writes. Never on that file
// itself, which a finished job replaces by rename. The lock belongs to one
// open file description, so a second handle in the same process is refused
// just like another process. Real drives need none of this: libburn grabs
// a drive exclusively.
class RecorderLock
{
public:
    enum class Refusal { None, InUse, Failed };

    // The held lock, or null with the refusal (and for Failed, why).
    static std::unique_ptr<RecorderLock> acquire(const std::string &path, Refusal &refusal,
                                                 std::string &error);
    // Removes the lock file, then lets go of the lock.
    ~RecorderLock();
    RecorderLock(const RecorderLock &) = delete;
    RecorderLock &operator=(const RecorderLock &) = delete;

    static std::string lockPathFor(const std::string &path) { return path + ".lock"; }

private:
    RecorderLock(std::string lockPath, sysio::UniqueFd fd)
        : m_lockPath(std::move(lockPath)), m_fd(std::move(fd))
    {
    }

    std::string m_lockPath;
    sysio::UniqueFd m_fd;
};

} // namespace reclib
