#pragma once
// The file part of the UDF volume, inside its partition: the file set
// descriptor and its terminator, then for every folder and file a File Entry
// (short allocation descriptors, extents below 1 GiB) and, for folders, the
// file identifier descriptors. Block numbers are relative to the partition.

#include "image/ImageSegments.h"
#include "image/ImageTime.h"
#include "image/ImageTree.h"
#include "image/SectorAllocator.h"

#include <memory>
#include <string>
#include <vector>

namespace image {

class UdfFileTree
{
public:
    // Largest extent a short allocation descriptor holds (30-bit length,
    // whole sectors).
    static constexpr uint64_t kMaxExtentBytes = 0x3FFFF800ull;

    // Records each entry's placement in its node (ImageNode::udfEntryBlock ...).
    explicit UdfFileTree(ImageTree &tree);

    // The first file too large for one File Entry's descriptors, or empty.
    std::string refusal() const;

    // Reserves the descriptors and folder data, starting at the partition.
    void computeBlocks(SectorAllocator &alloc, uint32_t partitionStart);

    uint32_t fileSetBlock() const { return 0; }
    uint64_t nextUniqueId() const { return m_nextUniqueId; }
    int fileCount() const { return m_files; }
    int directoryCount() const { return m_directories; }

    // Folders' entries go into out serialised; the File Entries of files and
    // the folders' contents are made while the image streams (see EntryRun
    // and FolderContents).
    void write(ImageSegments &out, const ImageTime &time, const std::string &label);

private:
    // The File Entries of files that follow each other in the partition:
    // files side by side in one folder, so the run is a piece of that
    // folder's entries. Kept as the nodes they describe instead of
    // serialised (about 300 bytes each with the segment), which for many
    // small files was the largest part of the builder's memory.
    class EntryRun : public SectorGenerator
    {
    public:
        EntryRun(const UdfFileTree &tree, const ImageTime &time, uint32_t firstEntryBlock)
            : firstBlock(firstEntryBlock), m_tree(tree), m_time(time)
        {
        }
        void fill(uint32_t index, uint8_t *sector) const override;

        const uint32_t firstBlock;
        const ImageNode *first = nullptr;
        uint32_t count = 0;

    private:
        const UdfFileTree &m_tree;
        ImageTime m_time;
    };

    // A folder's file identifier descriptors. Serialised for the whole
    // layout they would cost every file of a large folder its name again;
    // made while streaming, only the folder being read is kept.
    class FolderContents : public SectorGenerator
    {
    public:
        FolderContents(const UdfFileTree &tree, const ImageNode &folder) : m_tree(tree), m_folder(folder) {}
        void fill(uint32_t index, uint8_t *sector) const override;

    private:
        const UdfFileTree &m_tree;
        const ImageNode &m_folder;
    };

    std::vector<uint8_t> folderContents(const ImageNode &folder) const;
    // folderContents of the folder the stream is in, made once for all
    // its sectors.
    const std::vector<uint8_t> &streamedContents(const ImageNode &folder) const;
    std::vector<uint8_t> fileEntry(const ImageNode &node, const ImageTime &time) const;
    void putIdentifier(std::vector<uint8_t> &out, const ImageNode &target, uint8_t characteristics,
                       std::string_view name, uint32_t folderDataBlock) const;
    uint32_t absolute(uint32_t block) const { return block + m_partitionStart; }

    ImageTree &m_tree;
    std::vector<std::unique_ptr<EntryRun>> m_entryRuns;
    std::vector<std::unique_ptr<FolderContents>> m_folderContents;
    // The stream reads sectors through const generators; what it keeps of
    // the folder it is in is a cache, not part of the layout.
    mutable const ImageNode *m_streamedFolder = nullptr;
    mutable std::vector<uint8_t> m_streamedContents;
    uint32_t m_partitionStart = 0;
    uint64_t m_nextUniqueId = 16;
    int m_files = 0;
    int m_directories = 0;
};

} // namespace image
