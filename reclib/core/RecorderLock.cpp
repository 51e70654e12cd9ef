#include "core/RecorderLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace reclib {
namespace {

// A holder removes the lock file while it still holds the lock; whoever
// opened that file just before gets a lock on a file that is gone and must
// try again with the one now at the path. More than a few rounds of that
// means someone keeps replacing the file.
constexpr int MaxAttempts = 8;

bool stillNamedBy(int fd, const std::string &path)
{
    struct stat held
    {
    };
    struct stat named
    {
    };
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

} // namespace

std::unique_ptr<RecorderLock> RecorderLock::acquire(const std::string &path, Refusal &refusal,
                                                    std::string &error)
{
    const std::string lockPath = lockPathFor(path);
    refusal = Refusal::Failed;
    for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
        sysio::UniqueFd fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
        if (!fd.valid()) {
            error = "cannot create the lock file " + lockPath + ": " + std::strerror(errno);
            return nullptr;
        }
        int locked;
        do
            locked = ::flock(fd.get(), LOCK_EX | LOCK_NB);
        while (locked != 0 && errno == EINTR);
        if (locked != 0 && errno == EWOULDBLOCK) {
            refusal = Refusal::InUse;
            return nullptr;
        }
        if (locked != 0) {
            error = "cannot lock " + lockPath + ": " + std::strerror(errno);
            return nullptr;
        }
        if (stillNamedBy(fd.get(), lockPath)) {
            refusal = Refusal::None;
            return std::unique_ptr<RecorderLock>(new RecorderLock(lockPath, std::move(fd)));
        }
    }
    error = "the lock file " + lockPath + " keeps being replaced";
    return nullptr;
}

RecorderLock::~RecorderLock()
{
    // Removed before the lock goes, so nobody can lock a file that is about
    // to disappear without noticing (see stillNamedBy).
    ::unlink(m_lockPath.c_str());
}

} // namespace reclib
