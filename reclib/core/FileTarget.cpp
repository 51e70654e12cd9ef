#include "core/FileTarget.h"

#include "reclib_api.h"
#include "sysio/DirectoryStream.h"
#include "sysio/UniqueFd.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
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

std::string nameOf(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isTemporaryNameFor(const std::string &target, const std::string &name)
{
    // create() names them "<target>.XXXXXX.part" (mkstemps).
    const std::string prefix = nameOf(target) + ".";
    const std::string suffix = ".part";
    if (name.size() != prefix.size() + 6 + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()),
                       name.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

void removeLeftTemporaries(const std::string &target)
{
    const std::string folder = folderOf(target);
    const sysio::DirectoryStream dir(::opendir(folder.c_str()));
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir.get())) {
        if (isTemporaryNameFor(target, entry->d_name))
            std::remove((folder + "/" + entry->d_name).c_str());
    }
}

bool fileExists(const std::string &path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0;
}

int64_t freeBytesNear(const std::string &path)
{
    struct statvfs info
    {
    };
    if (::statvfs(folderOf(path).c_str(), &info) != 0)
        return -1;
    return static_cast<int64_t>(info.f_bavail) * static_cast<int64_t>(info.f_frsize);
}

std::shared_ptr<FileTarget> FileTarget::create(const std::string &target, std::string &error)
{
    std::string pattern = target + ".XXXXXX.part";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const sysio::UniqueFd file(::mkstemps(buffer.data(), 5));
    if (!file.valid()) {
        error = "cannot create a file beside " + target + ": " + std::strerror(errno);
        return nullptr;
    }
    ::fchmod(file.get(), 0644);
    return std::shared_ptr<FileTarget>(new FileTarget(target, buffer.data()));
}

FileTarget::~FileTarget()
{
    discard();
}

bool FileTarget::cutTo(int64_t bytes, std::string &error)
{
    if (::truncate(m_temporary.c_str(), bytes) == 0)
        return true;
    error = "cannot complete " + m_target + ": " + std::strerror(errno);
    discard();
    return false;
}

bool FileTarget::commit(int64_t bytes, std::string &error)
{
    if (!cutTo(bytes, error))
        return false;
    if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
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
    const sysio::UniqueFd file(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (!file.valid()) {
        error = "cannot open " + path;
        return false;
    }
    std::vector<unsigned char> data(SECTOR_SIZE);
    const off_t offset = static_cast<off_t>(sector) * SECTOR_SIZE;
    const bool ok =
        ::pread(file.get(), data.data(), data.size(), offset) == static_cast<ssize_t>(data.size());
    for (unsigned char &byte : data)
        byte = static_cast<unsigned char>(~byte);
    const bool written =
        ok && ::pwrite(file.get(), data.data(), data.size(), offset) == static_cast<ssize_t>(data.size());
    if (!written)
        error = "sector " + std::to_string(sector) + " lies beyond the end of " + path;
    return written;
}

} // namespace reclib
