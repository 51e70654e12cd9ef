#include "image/UdfWriter.h"

#include "image/ByteOrder.h"
#include "image/UdfDescriptors.h"

#include <cstdio>

namespace image {
namespace {

constexpr uint32_t kMainSequence = 32;
constexpr uint32_t kReserveSequence = 48;
constexpr uint32_t kSequenceSectors = 16;
constexpr uint32_t kIntegritySequence = 64;
constexpr uint32_t kAnchor = 256;
constexpr uint32_t kPartitionStart = 257;

// The volume set identifier must start with 16 characters that are unlikely
// to repeat; derived from the time and the label so that a fixed time still
// gives the same image.
std::string volumeSetIdentifier(const ImageGeometry &geometry)
{
    uint32_t hash = 2166136261u;
    for (unsigned char c : geometry.label)
        hash = (hash ^ c) * 16777619u;
    char text[40];
    std::snprintf(text, sizeof text, "%08X%08X%s", uint32_t(geometry.time.seconds()), hash,
                  geometry.label.empty() ? "" : " ");
    return text + geometry.label;
}

} // namespace

UdfWriter::UdfWriter(ImageTree &tree) : m_files(tree) {}

void UdfWriter::reserveDescriptors(SectorAllocator &alloc)
{
    m_recognitionSector = alloc.reserve(3);
}

void UdfWriter::computeBlocks(SectorAllocator &alloc)
{
    alloc.skipTo(kAnchor + 1);
    m_files.computeBlocks(alloc, kPartitionStart);
}

void UdfWriter::reserveTail(SectorAllocator &alloc)
{
    m_partitionLength = alloc.next() - kPartitionStart;
    m_endAnchor = alloc.reserve(1);
}

std::vector<uint8_t> UdfWriter::anchor(uint32_t sector) const
{
    std::vector<uint8_t> d(kSectorSize, 0);
    putLe32(&d[16], kSequenceSectors * kSectorSize);
    putLe32(&d[20], kMainSequence);
    putLe32(&d[24], kSequenceSectors * kSectorSize);
    putLe32(&d[28], kReserveSequence);
    udf::finishTag(d.data(), udf::AnchorPointer, 512, sector);
    return d;
}

std::vector<uint8_t> UdfWriter::volumeDescriptorSequence(uint32_t first, const ImageGeometry &geometry) const
{
    std::vector<uint8_t> out(6 * kSectorSize, 0);
    const auto at = [&](int index) { return &out[size_t(index) * kSectorSize]; };

    uint8_t *pvd = at(0);
    putLe32(pvd + 16, 1);
    udf::putDString(pvd + 24, 32, geometry.label);
    putLe16(pvd + 56, 1);
    putLe16(pvd + 58, 1);
    putLe16(pvd + 60, 2);
    putLe16(pvd + 62, 2);
    putLe32(pvd + 64, 1);
    putLe32(pvd + 68, 1);
    udf::putDString(pvd + 72, 128, volumeSetIdentifier(geometry));
    udf::putCharSpec(pvd + 200);
    udf::putCharSpec(pvd + 264);
    udf::putTimestamp(pvd + 376, geometry.time);
    udf::putRegid(pvd + 388, "*Orvane Burn", udf::RegidKind::Implementation);
    udf::finishTag(pvd, udf::PrimaryVolume, 512, first);

    uint8_t *iuvd = at(1);
    putLe32(iuvd + 16, 2);
    udf::putRegid(iuvd + 20, "*UDF LV Info", udf::RegidKind::UdfIdentifier);
    udf::putCharSpec(iuvd + 52);
    udf::putDString(iuvd + 116, 128, geometry.label);
    udf::putRegid(iuvd + 352, "*Orvane Burn", udf::RegidKind::Implementation);
    udf::finishTag(iuvd, udf::ImplementationUseVolume, 512, first + 1);

    uint8_t *pd = at(2);
    putLe32(pd + 16, 3);
    putLe16(pd + 20, 1); // allocated
    putLe16(pd + 22, 0);
    udf::putRegid(pd + 24, "+NSR02", udf::RegidKind::Domain);
    std::fill(pd + 24 + 24, pd + 24 + 32, 0); // the contents identifier carries no suffix
    putLe32(pd + 184, 1);                     // read-only
    putLe32(pd + 188, kPartitionStart);
    putLe32(pd + 192, m_partitionLength);
    udf::putRegid(pd + 196, "*Orvane Burn", udf::RegidKind::Implementation);
    udf::finishTag(pd, udf::Partition, 512, first + 2);

    uint8_t *lvd = at(3);
    putLe32(lvd + 16, 4);
    udf::putCharSpec(lvd + 20);
    udf::putDString(lvd + 84, 128, geometry.label);
    putLe32(lvd + 212, kSectorSize);
    udf::putRegid(lvd + 216, "*OSTA UDF Compliant", udf::RegidKind::Domain);
    putLe32(lvd + 248, kSectorSize); // file set descriptor: length, block, partition 0
    putLe32(lvd + 252, m_files.fileSetBlock());
    putLe32(lvd + 264, 6);
    putLe32(lvd + 268, 1);
    udf::putRegid(lvd + 272, "*Orvane Burn", udf::RegidKind::Implementation);
    putLe32(lvd + 432, 2 * kSectorSize);
    putLe32(lvd + 436, kIntegritySequence);
    lvd[440] = 1; // type 1 partition map
    lvd[441] = 6;
    putLe16(lvd + 442, 1);
    putLe16(lvd + 444, 0);
    udf::finishTag(lvd, udf::LogicalVolume, 446, first + 3);

    uint8_t *usd = at(4);
    putLe32(usd + 16, 5);
    udf::finishTag(usd, udf::UnallocatedSpace, 24, first + 4);

    udf::finishTag(at(5), udf::Terminating, 512, first + 5);
    return out;
}

std::vector<uint8_t> UdfWriter::integritySequence(const ImageGeometry &geometry) const
{
    std::vector<uint8_t> out(2 * kSectorSize, 0);
    uint8_t *d = out.data();
    udf::putTimestamp(d + 16, geometry.time);
    putLe32(d + 28, 1); // closed
    putLe64(d + 40, m_files.nextUniqueId());
    putLe32(d + 72, 1);
    putLe32(d + 76, 46);
    putLe32(d + 80, 0);                 // free space
    putLe32(d + 84, m_partitionLength); // size
    udf::putRegid(d + 88, "*Orvane Burn", udf::RegidKind::Implementation);
    putLe32(d + 120, uint32_t(m_files.fileCount()));
    putLe32(d + 124, uint32_t(m_files.directoryCount()));
    putLe16(d + 128, 0x0102);
    putLe16(d + 130, 0x0102);
    putLe16(d + 132, 0x0102);
    udf::finishTag(d, udf::LogicalVolumeIntegrity, 134, kIntegritySequence);
    udf::finishTag(d + kSectorSize, udf::Terminating, 512, kIntegritySequence + 1);
    return out;
}

void UdfWriter::writeDescriptors(ImageSegments &out, const ImageGeometry &geometry)
{
    std::vector<uint8_t> vrs(3 * kSectorSize, 0);
    const char *ids[] = {"BEA01", "NSR02", "TEA01"};
    for (int i = 0; i < 3; ++i) {
        uint8_t *d = &vrs[size_t(i) * kSectorSize];
        putPadded(d + 1, 5, ids[i]);
        d[6] = 1;
    }
    out.addBytes(m_recognitionSector, std::move(vrs));
    out.addBytes(kMainSequence, volumeDescriptorSequence(kMainSequence, geometry));
    out.addBytes(kReserveSequence, volumeDescriptorSequence(kReserveSequence, geometry));
    out.addBytes(kIntegritySequence, integritySequence(geometry));
    out.addBytes(kAnchor, anchor(kAnchor));
    out.addBytes(m_endAnchor, anchor(m_endAnchor));
}

void UdfWriter::writeData(ImageSegments &out, const ImageGeometry &geometry)
{
    m_files.write(out, geometry.time, geometry.label);
}

} // namespace image
