#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace reclib {

// A file that receives a burn: the bytes go to a fresh temporary file in
// the same folder, which replaces the target by rename only when the burn
// is complete, so a target never looks finished when it is not. (libburn
// does not truncate a file it writes over; a fresh file has nothing to
// truncate.) The temporary file is removed unless committed.
class FileTarget
{
public:
    static std::shared_ptr<FileTarget> create(const std::string &target, std::string &error);
    ~FileTarget();
    FileTarget(const FileTarget &) = delete;
    FileTarget &operator=(const FileTarget &) = delete;

    const std::string &temporaryPath() const { return m_temporary; }

    // Cuts the temporary file to exactly bytes, then renames it over the target.
    bool commit(int64_t bytes, std::string &error);
    // Cuts the temporary file to exactly bytes (libburn may write past the
    // image's end); on failure the file is discarded.
    bool cutTo(int64_t bytes, std::string &error);
    // Someone else renamed the temporary file into place: nothing to remove.
    void handedOver() { m_done = true; }
    void discard();

private:
    FileTarget(std::string target, std::string temporary)
        : m_target(std::move(target)), m_temporary(std::move(temporary))
    {
    }
    std::string m_target;
    std::string m_temporary;
    bool m_done = false;
};

// Free bytes for an unprivileged writer in the folder holding path, or -1.
int64_t freeBytesNear(const std::string &path);

// Whether name (no folder) is one of the temporary files FileTarget makes
// beside target.
bool isTemporaryNameFor(const std::string &target, const std::string &name);
// Removes the temporary files that jobs ended early left beside target.
// Only for the holder of target's lock: another job's file looks the same.
void removeLeftTemporaries(const std::string &target);

std::string folderOf(const std::string &path);
std::string nameOf(const std::string &path);
bool fileExists(const std::string &path);

// Sets bytes in one sector of a file to other values (test fault injection).
bool corruptSector(const std::string &path, int64_t sector, std::string &error);

} // namespace reclib
