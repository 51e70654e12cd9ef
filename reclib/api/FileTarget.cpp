#include "api/FileTarget.h"

#include "reclib_api.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace reclib {

std::string folderOf(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool fileExists(const std::string &path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

int64_t freeBytesNear(const std::string &path)
{
    struct statvfs info {};
    if (::statvfs(folderOf(path).c_str(), &info) != 0)
        return -1;
    return static_cast<int64_t>(info.f_bavail) * static_cast<int64_t>(info.f_frsize);
}

std::shared_ptr<FileTarget> FileTarget::create(const std::string &target, std::string &error)
{
    std::string pattern = target + ".XXXXXX.part";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkstemps(buffer.data(), 5);
    if (fd < 0) {
        error = "cannot create a file beside " + target + ": " + std::strerror(errno);
        return nullptr;
    }
    ::fchmod(fd, 0644);
    ::close(fd);
    return std::shared_ptr<FileTarget>(new FileTarget(target, buffer.data()));
}

FileTarget::~FileTarget()
{
    discard();
}

bool FileTarget::commit(int64_t bytes, std::string &error)
{
    if (::truncate(m_temporary.c_str(), bytes) != 0 || std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        error = "cannot complete " + m_target + ": " + std::strerror(errno);
        discard();
        return false;
    }
    m_done = true;
    return true;
}

void FileTarget::discard()
{
    if (!m_done)
        std::remove(m_temporary.c_str());
    m_done = true;
}

bool corruptSector(const std::string &path, int64_t sector, std::string &error)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + path;
        return false;
    }
    std::vector<unsigned char> data(SECTOR_SIZE);
    const off_t offset = static_cast<off_t>(sector) * SECTOR_SIZE;
    const bool ok = ::pread(fd, data.data(), data.size(), offset) == static_cast<ssize_t>(data.size());
    for (unsigned char &byte : data)
        byte = static_cast<unsigned char>(~byte);
    const bool written = ok && ::pwrite(fd, data.data(), data.size(), offset) == static_cast<ssize_t>(data.size());
    ::close(fd);
    if (!written)
        error = "sector " + std::to_string(sector) + " lies beyond the end of " + path;
    return written;
}

} // namespace reclib
