#pragma once
// The library's own copy of the program's IsoItem tree: names, source paths
// and the sizes taken when the layout is computed. Nothing points into the
// program's records afterwards.
//
// A folder of many small files pays for every byte of a node many times
// over, so a node is kept small: its texts live in the tree's TextStore
// (a file's source path as its folder, shared by the files beside it, and
// its last part, which is usually the entry's own name), and a folder's
// entries are one array instead of a node allocation each.

#include "dvdvideo/SourceFile.h"
#include "image/ImageTime.h"
#include "image/TextStore.h"

#include "reclib_api.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace image {

// What identifies one version of a source file: a file whose device,
// inode, size, modification or change time differs from its stamp is no
// longer the file the layout was computed for.
using FileStamp = dvdvideo::SourceStamp;

struct ImageNode
{
    ImageNode() = default;
    // name must outlive the node (the tree's store, or a literal).
    ImageNode(const char *name, bool directory) : nameText(name), isDirectory(directory) {}

    // UTF-8, as the program named the entry.
    std::string_view name() const { return nameText; }
    // Files: the source file, as the program named it. Folders: empty.
    std::string sourcePath() const;
    // The source as it was opened at layout time.
    FileStamp stamp() const
    {
        return {sourceDevice,   sourceInode,       size, sourceSeconds, sourceNanoseconds,
                changedSeconds, changedNanoseconds};
    }
    // Files that could not be opened: what follows the quoted path in the
    // line naming it.
    std::string refusalText() const
    {
        return dvdvideo::SourceFile::ReasonText(dvdvideo::SourceRefusal(sourceRefusal), sourceErrno);
    }
    ImageTime date() const { return ImageTime(std::time_t(modified), modifiedNanoseconds); }

    // In the tree's order.
    std::span<ImageNode> children() { return {m_children.get(), m_childCount}; }
    std::span<const ImageNode> children() const { return {m_children.get(), m_childCount}; }

    const char *nameText = "";
    const char *sourceFolder = nullptr; // files: up to and with the last '/', shared
    const char *sourceTail = nullptr;   // files: the rest
    ImageNode *parent = nullptr;
    uint64_t size = 0; // bytes, taken at layout time
    // Files: the source's modification time, taken at layout time. Folders:
    // the latest date below them. FileDates settles both before the writers
    // run, and may clamp them; the stamp keeps the source's own.
    int64_t modified = 0;
    int64_t sourceSeconds = 0;
    uint32_t modifiedNanoseconds = 0;
    uint32_t sourceNanoseconds = 0;
    // Files: the rest of the stamp.
    uint64_t sourceDevice = 0;
    uint64_t sourceInode = 0;
    int64_t changedSeconds = 0;
    uint32_t changedNanoseconds = 0;

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
    int sourceErrno = 0;
    bool isDirectory = false;
    // Files the layout cannot use: not opened for reading, or no regular
    // file (sourceRefusal, a dvdvideo::SourceRefusal, says which).
    bool sourceMissing = false;
    uint8_t sourceRefusal = 0;
    // Folders: shown under RR_MOVED in the ISO 9660 and Joliet trees
    // (DeepFolders).
    bool isoRelocated = false;

private:
    friend class ImageTree;
    std::unique_ptr<ImageNode[]> m_children;
    uint32_t m_childCount = 0;
};

class ImageTree
{
public:
    // Copies the list starting at first (and everything below it). Each
    // source file is opened for reading once now, without waiting on it,
    // and stamped; one that cannot be opened or is no regular file is
    // marked missing with the reason. stopRequested, when given, is asked
    // every kStopCheckFiles files: a walk of many files on a slow file
    // system still stops within a moment when the program asks; the tree
    // is then incomplete and stopped() says so.
    using StopCheck = std::function<bool()>;
    static constexpr int kStopCheckFiles = 256;
    explicit ImageTree(const IsoItem *first, StopCheck stopRequested = {});

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
    bool stopped() const { return m_stopped; }

private:
    void copyList(const IsoItem *first, ImageNode &into, int depth);
    void copyFile(const IsoItem &item, ImageNode &node);
    void keepSourcePath(std::string_view path, ImageNode &node);

    TextStore m_texts; // the nodes' names and source paths
    ImageNode m_root;
    std::string_view m_lastSourceFolder;
    StopCheck m_stopRequested;
    bool m_stopped = false;
    int m_fileCount = 0;
    int m_directoryCount = 0;
    const ImageNode *m_firstMissing = nullptr;
};

} // namespace image
