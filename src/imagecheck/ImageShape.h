#pragma once
// What an image file is on the outside: which file systems its volume
// descriptors announce and how many sectors they say the image holds,
// against how many the file does hold. Enough to refuse a file that is no
// disc image, or one cut short, before anything is burned.

#include <cstdint>
#include <string>

namespace imagecheck {

struct ImageShape
{
    bool opened = false; // a regular file that could be read
    bool iso9660 = false;
    bool udf = false;
    uint64_t fileSectors = 0; // whole 2048-byte sectors in the file
    // The most sectors a file system reaches: the ISO 9660 volume space
    // size, the end of the UDF partition; 0 when neither says.
    uint64_t recordedSectors = 0;
    // The ISO 9660 volume identifier, trailing blanks removed.
    std::string volumeId;

    bool isImage() const { return iso9660 || udf; }
    bool cutShort() const { return recordedSectors > fileSectors; }
};

// Never waits on the file (a FIFO, a device): such a file is not opened.
ImageShape shapeOf(const std::string &path);

} // namespace imagecheck
