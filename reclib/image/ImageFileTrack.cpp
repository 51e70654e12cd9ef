#include "image/ImageFileTrack.h"

#include "sysio/UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileTrackObject : IsoTrack
{
    std::string path;
    sysio::UniqueFd fd;
    int64_t sectors = 0;
    int64_t position = 0; // sectors handed out since openStream
    std::string error;
};

FileTrackObject &self(IsoTrack *t)
{
    return *static_cast<FileTrackObject *>(t);
}

void destroy(IsoTrack *t, int deleteFlag)
{
    if (deleteFlag)
        delete &self(t);
}
int32_t blockSize(IsoTrack *)
{
    return SECTOR_SIZE;
}
int64_t sizeInBlocks(IsoTrack *t)
{
    return self(t).sectors;
}
int32_t openStream(IsoTrack *t)
{
    FileTrackObject &track = self(t);
    track.position = 0;
    track.error.clear();
    if (::lseek(track.fd.get(), 0, SEEK_SET) != 0) {
        track.error = "cannot read the image file " + track.path + ": " + std::strerror(errno);
        return -1;
    }
    return 0;
}
int32_t readBlocks(IsoTrack *t, void *buffer, uint32_t maxBlocks)
{
    FileTrackObject &track = self(t);
    const int64_t blocks = std::min<int64_t>(maxBlocks, track.sectors - track.position);
    const size_t wanted = static_cast<size_t>(blocks) * SECTOR_SIZE;
    size_t got = 0;
    while (got < wanted) {
        const ssize_t n = ::read(track.fd.get(), static_cast<char *>(buffer) + got, wanted - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            track.error = "cannot read the image file " + track.path + ": " + std::strerror(errno);
            return -1;
        }
        if (n == 0) {
            track.error = "the image file " + track.path + " ended after " +
                          std::to_string(track.position * SECTOR_SIZE + int64_t(got)) + " of " +
                          std::to_string(track.sectors * SECTOR_SIZE) + " bytes";
            return -1;
        }
        got += static_cast<size_t>(n);
    }
    track.position += blocks;
    return static_cast<int32_t>(blocks);
}
int32_t zero(IsoTrack *)
{
    return 0;
}
int32_t zeroWithArgument(IsoTrack *, void *)
{
    return 0;
}
void zeroTwo(IsoTrack *, uint32_t *a, uint32_t *b)
{
    for (uint32_t *out : {a, b})
        if (out)
            *out = 0;
}
void closeStream(IsoTrack *) {}
const char *lastError(IsoTrack *t)
{
    return self(t).error.empty() ? nullptr : self(t).error.c_str();
}
uint32_t noFlags(IsoTrack *)
{
    return 0;
}
const char *emptyText(IsoTrack *)
{
    return "";
}
const char *noText(IsoTrack *)
{
    return nullptr;
}
void zeroEight(IsoTrack *, uint32_t *a, uint32_t *b, uint32_t *c, uint32_t *d, uint32_t *e, uint32_t *f,
               uint32_t *g, uint32_t *h)
{
    for (uint32_t *out : {a, b, c, d, e, f, g, h})
        if (out)
            *out = 0;
}

const IsoTrackVtbl kTable = {
    destroy, blockSize, sizeInBlocks, openStream, readBlocks, zero,      zero,      zeroWithArgument,
    zero,    zeroTwo,   closeStream,  lastError,  zero,       zero,      zero,      zero,
    zero,    zero,      zero,         zero,       zero,       noFlags,   emptyText, zero,
    noText,  zero,      zero,         noText,     zero,       zeroEight,
};

} // namespace

IsoTrack *CreateImageFileTrack(const std::string &path, std::string &why)
{
    sysio::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info
    {
    };
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0) {
        why = "cannot open the image file " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        why = "the image " + path + " is not a regular file";
        return nullptr;
    }
    if (info.st_size == 0 || info.st_size % SECTOR_SIZE != 0) {
        why = "the image file " + path + " does not hold whole 2048-byte sectors (" +
              std::to_string(info.st_size) + " bytes)";
        return nullptr;
    }
    // Reads from here on may block like any file's.
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    auto *object = new (std::nothrow) FileTrackObject;
    if (object == nullptr) {
        why = "out of memory";
        return nullptr;
    }
    object->vtbl = &kTable;
    object->path = path;
    object->fd = std::move(fd);
    object->sectors = info.st_size / SECTOR_SIZE;
    return object;
}
