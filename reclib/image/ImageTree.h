#pragma once
// The library's own copy of the program's IsoItem tree: names, source paths
// and the sizes taken when the layout is computed. Nothing points into the
// program's records afterwards.

#include "image/ImageTime.h"

#include "reclib_api.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace image {

// What identifies one version of a source file: a file whose size or
// modification time differs from its stamp is no longer the file the
// layout was computed for.
struct FileStamp
{
    uint64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp &) const = default;
};

struct ImageNode {
    std::string name;          // UTF-8, as the program named the entry
    bool isDirectory = false;
    std::string sourcePath;    // files only; handed to the image's file segment once the layout is complete
    uint64_t size = 0;         // bytes, taken at layout time
    FileStamp stamp;           // size and modification time at layout time
    bool sourceMissing = false;
    // Folders: shown under RR_MOVED in the ISO 9660 and Joliet trees
    // (DeepFolders).
    bool isoRelocated = false;
    int sourceErrno = 0;
    // Files: the source's modification time, taken at layout time. Folders:
    // the latest date below them. FileDates settles both before the writers
    // run.
    int64_t modified = 0;
    uint32_t modifiedNanoseconds = 0;
    ImageNode *parent = nullptr;
    std::vector<std::unique_ptr<ImageNode>> children; // in the tree's order

    ImageTime date() const { return ImageTime(std::time_t(modified), modifiedNanoseconds); }

    // Where the file's data starts in the image (absolute sector); set by the
    // data writer. Empty files keep 0.
    uint32_t dataSector = 0;
    // The UDF writer's placement, kept here rather than in a map of its own
    // because a folder of many small files pays for every byte per entry:
    // the File Entry's and (folders) the contents' partition blocks, and the
    // unique id.
    uint32_t udfEntryBlock = 0;
    uint32_t udfDataBlock = 0;
    uint32_t udfUniqueId = 0;
};

class ImageTree {
public:
    // Copies the list starting at first (and everything below it). Each file's
    // size is taken now; a file that cannot be examined is marked missing.
    explicit ImageTree(const IsoItem *first);

    ImageNode &root() { return m_root; }
    const ImageNode &root() const { return m_root; }

    // Visits every node below the root depth-first in the tree's order
    // (a folder before its contents).
    void forEach(const std::function<void(ImageNode &)> &visit);
    void forEach(const std::function<void(const ImageNode &)> &visit) const;

    int fileCount() const { return m_fileCount; }
    int directoryCount() const { return m_directoryCount; } // without the root
    // The first file that could not be examined, or null.
    const ImageNode *firstMissing() const { return m_firstMissing; }

private:
    void copyList(const IsoItem *first, ImageNode &into, int depth);

    ImageNode m_root;
    int m_fileCount = 0;
    int m_directoryCount = 0;
    const ImageNode *m_firstMissing = nullptr;
};

} // namespace image
