#include "dvdvideo/SourceFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace dvdvideo {
namespace {

SourceRefusal KindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return SourceRefusal::None;
    if (S_ISFIFO(mode))
        return SourceRefusal::Fifo;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return SourceRefusal::Device;
    if (S_ISSOCK(mode))
        return SourceRefusal::Socket;
    if (S_ISDIR(mode))
        return SourceRefusal::Folder;
    return SourceRefusal::NotRegular;
}

} // namespace

SourceStamp StampOf(const struct stat &info)
{
    return {uint64_t(info.st_dev),        uint64_t(info.st_ino),         uint64_t(info.st_size),
            int64_t(info.st_mtim.tv_sec), int64_t(info.st_mtim.tv_nsec), int64_t(info.st_ctim.tv_sec),
            int64_t(info.st_ctim.tv_nsec)};
}

SourceFile SourceFile::Open(const char *path)
{
    SourceFile file;
    file.m_fd.reset(::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info
    {
    };
    if (!file.m_fd.valid()) {
        file.m_error = errno;
        file.m_refusal = SourceRefusal::Unreadable;
        // A socket cannot be opened at all; say what it is rather than
        // "No such device or address".
        if (file.m_error == ENXIO && ::stat(path, &info) == 0 && KindOf(info.st_mode) != SourceRefusal::None)
            file.m_refusal = KindOf(info.st_mode);
        return file;
    }
    if (::fstat(file.m_fd.get(), &info) != 0) {
        file.m_error = errno;
        file.m_refusal = SourceRefusal::Unreadable;
    } else {
        file.m_refusal = KindOf(info.st_mode);
        file.m_stamp = StampOf(info);
    }
    if (!file.usable())
        file.m_fd.reset();
    return file;
}

std::string SourceFile::ReasonText(SourceRefusal refusal, int error)
{
    switch (refusal) {
    case SourceRefusal::None:
        return {};
    case SourceRefusal::Unreadable:
        return std::string("cannot be read: ") + std::strerror(error);
    case SourceRefusal::Fifo:
        return "is a FIFO (named pipe), not a regular file";
    case SourceRefusal::Device:
        return "is a device, not a regular file";
    case SourceRefusal::Socket:
        return "is a socket, not a regular file";
    case SourceRefusal::Folder:
        return "is a folder, not a regular file";
    case SourceRefusal::NotRegular:
        break;
    }
    return "is not a regular file";
}

} // namespace dvdvideo
