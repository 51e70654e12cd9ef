#pragma once
// One ISO 9660 directory hierarchy: the primary volume (ISO 9660 names) or
// the Joliet supplementary volume (UCS-2 names). Each has its own volume
// descriptor, path tables and directories; both point at the same file data.

#include "image/DeepFolders.h"
#include "image/ImageTree.h"
#include "image/ImageWriter.h"
#include "image/IsoNames.h"

#include <memory>
#include <vector>

namespace image {

enum class XaMarking { None, CdRomXa };

class IsoHierarchyWriter : public ImageWriter
{
public:
    // Folders deeper than eight levels appear where deep puts them.
    IsoHierarchyWriter(IsoFlavour flavour, const ImageTree &tree, const DeepFolders &deep, XaMarking xa);
    ~IsoHierarchyWriter() override;

    // Largest extent of a multi-extent file: the 32-bit size field rounded
    // down to whole sectors.
    static constexpr uint64_t kMaxSectionBytes = 0xFFFFF800ull;

    void reserveDescriptors(SectorAllocator &alloc) override;
    void computeBlocks(SectorAllocator &alloc) override;
    void writeDescriptors(ImageSegments &out, const ImageGeometry &geometry) override;
    void writeData(ImageSegments &out, const ImageGeometry &geometry) override;

    // Where each moved folder appears in this hierarchy ("/RR_MOVED/NAME"),
    // in the hierarchy's own characters (UTF-8).
    std::vector<std::pair<const ImageNode *, std::string>> movedPaths() const;

    struct Directory;

private:
    void collectDirectories(const ImageTree &tree, const DeepFolders &deep);
    static size_t recordLength(size_t identifierBytes, XaMarking xa);
    std::vector<uint8_t> identifierBytes(std::u16string_view id, EntryKind kind) const;
    std::vector<uint8_t> pathTable(bool bigEndian) const;
    std::vector<uint8_t> directoryBytes(const Directory &dir) const;
    void putRecord(std::vector<uint8_t> &out, const std::vector<uint8_t> &id, uint32_t extent, uint32_t size,
                   uint8_t flags, const ImageTime &date, XaMarking xa) const;
    uint32_t directorySectors(const Directory &dir) const;

    IsoFlavour m_flavour;
    XaMarking m_xa;
    std::vector<std::unique_ptr<Directory>> m_directories; // path table order
    uint32_t m_descriptorSector = 0;
    uint32_t m_pathTableBytes = 0;
    uint32_t m_lPathTable = 0;
    uint32_t m_mPathTable = 0;
};

} // namespace image
