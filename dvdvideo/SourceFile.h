#pragma once
// Opening a source file the way every reader of a burn's sources must: for
// reading, without ever waiting on the file (a FIFO without a writer, a
// device), and only when it is a regular file after any links are followed.
// What is refused says why, and what is opened carries the identity the
// burn later holds it to.

#include "sysio/UniqueFd.h"

#include <cstdint>
#include <string>
#include <sys/stat.h>

namespace dvdvideo {

// One version of one file. The change time and the inode cannot be set
// back by the file's owner, so a file rewritten in place and dated back
// still differs from its stamp.
struct SourceStamp
{
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
    int64_t changedSeconds = 0;
    int64_t changedNanoseconds = 0;

    bool operator==(const SourceStamp &) const = default;
};

SourceStamp StampOf(const struct stat &info);

// Why a source cannot be used. The numbers are kept by the program's texts.
enum class SourceRefusal {
    None = 0,
    Unreadable = 1, // the system's error (errno) says why
    Fifo = 2,
    Device = 3,
    Socket = 4,
    Folder = 5,
    NotRegular = 6, // any other kind of entry
};

class SourceFile
{
public:
    // Opens path with O_NONBLOCK, so that no open can wait, then looks at
    // what was opened.
    static SourceFile Open(const char *path);
    static SourceFile Open(const std::string &path) { return Open(path.c_str()); }

    // A regular file, open for reading.
    bool usable() const { return m_refusal == SourceRefusal::None; }
    int fd() const { return m_fd.get(); }
    // Hands the descriptor over; the caller closes it.
    int release() { return m_fd.release(); }
    const SourceStamp &stamp() const { return m_stamp; }
    SourceRefusal refusal() const { return m_refusal; }
    int error() const { return m_error; } // Unreadable: errno
    // What follows the quoted path in a line naming the file:
    // "cannot be read: Permission denied", "is a FIFO (named pipe), not a
    // regular file".
    std::string reason() const { return ReasonText(m_refusal, m_error); }

    static std::string ReasonText(SourceRefusal refusal, int error);

private:
    SourceFile() = default;

    sysio::UniqueFd m_fd;
    SourceStamp m_stamp;
    SourceRefusal m_refusal = SourceRefusal::None;
    int m_error = 0;
};

} // namespace dvdvideo
