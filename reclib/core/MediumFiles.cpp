#include "core/MediumFiles.h"

#include "sysio/UniqueFd.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace reclib {
namespace {

bool writeWhole(const std::string &path, const std::string &text, std::string &error)
{
    errno = 0;
    sysio::UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    size_t done = 0;
    while (fd.valid() && done < text.size()) {
        const ssize_t n = ::write(fd.get(), text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += size_t(n);
    }
    if (done == text.size() && fd.valid())
        return true;
    error = "cannot write " + path + ": " + std::strerror(errno != 0 ? errno : ENOSPC);
    std::remove(path.c_str());
    return false;
}

bool renamed(const std::string &from, const std::string &to, std::string &error)
{
    if (std::rename(from.c_str(), to.c_str()) == 0)
        return true;
    error = "cannot rename " + from + " to " + to + ": " + std::strerror(errno);
    return false;
}

// Test fault injection: the process ends right before this step, as a
// kill would end it.
void stopBefore(int step, const FaultInjection &fault)
{
    if (fault.kind == FaultInjection::Kind::KillAtCommitStep && fault.commitStep == step)
        std::raise(SIGKILL);
}

} // namespace

bool MediumFiles::replace(FileTarget &image, int64_t bytes, const MediumState &state,
                          const FaultInjection &fault, std::string &error) const
{
    stopBefore(1, fault);
    const std::string newState = newStatePath();
    if (fault.kind == FaultInjection::Kind::StateWriteFails) {
        error = "cannot write " + newState + ": " + std::strerror(ENOSPC) + " (injected fault)";
        return false;
    }
    if (!image.cutTo(bytes, error) || !writeWhole(newState, state.text(), error))
        return false;
    // The last rename must not meet a folder (or anything but a file) at the
    // state's name: found now, nothing has changed yet.
    struct stat info
    {
    };
    if (::lstat(statePath().c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        error = "cannot replace " + statePath() + ": " + std::strerror(EISDIR);
        image.discard();
        std::remove(newState.c_str());
        return false;
    }

    stopBefore(2, fault);
    const std::string journal = journalPath();
    const std::string journalDraft = journal + ".new";
    if (!writeWhole(journalDraft, nameOf(image.temporaryPath()) + "\n", error) ||
        !renamed(journalDraft, journal, error)) {
        std::remove(journalDraft.c_str());
        std::remove(newState.c_str());
        return false;
    }

    stopBefore(3, fault);
    if (!renamed(image.temporaryPath(), m_medium, error)) {
        // Nothing of the old pair changed yet: undo the commit.
        std::remove(journal.c_str());
        std::remove(newState.c_str());
        return false;
    }
    image.handedOver();

    stopBefore(4, fault);
    if (!renamed(newState, statePath(), error)) {
        error += "; the recorder completes the change when it is next opened";
        return false;
    }
    stopBefore(5, fault);
    std::remove(journal.c_str());
    return true;
}

void MediumFiles::recover() const
{
    const std::string journal = journalPath();
    std::ifstream file(journal);
    std::string imageName;
    if (file && std::getline(file, imageName) && isTemporaryNameFor(m_medium, imageName)) {
        // Committed: finish the renames that had not happened yet.
        const std::string image = folderOf(m_medium) + "/" + imageName;
        if (fileExists(image))
            std::rename(image.c_str(), m_medium.c_str());
        if (fileExists(newStatePath()))
            std::rename(newStatePath().c_str(), statePath().c_str());
    }
    file.close();
    std::remove(journal.c_str());
    std::remove((journal + ".new").c_str());
    std::remove(newStatePath().c_str());
    removeLeftTemporaries(m_medium);
}

} // namespace reclib
