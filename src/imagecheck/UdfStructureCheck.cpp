// The UDF half of the strict structure check (ECMA-167 3/7.2, 3/10, 4/14
// with the OSTA UDF 1.02 restrictions).

#include "StrictStructureCheck.h"

#include <map>
#include <set>

namespace imagecheck::strict {
namespace {

// Checks the 16-byte tag of a descriptor of which available bytes are at
// hand. An expected identifier of 0 accepts any.
bool checkTag(const uint8_t *d, size_t available, uint16_t id, uint32_t location, const std::string &what,
              std::vector<std::string> &problems)
{
    const size_t before = problems.size();
    if (id != 0 && le16(d) != id)
        problems.push_back(says(what, ": tag identifier ", le16(d), ", expected ", id));
    if (le16(d + 2) != 2)
        problems.push_back(says(what, ": descriptor version ", le16(d + 2), ", NSR02 needs 2"));
    uint8_t sum = 0;
    for (int i = 0; i < 16; ++i)
        sum = uint8_t(sum + (i == 4 ? 0 : d[i]));
    if (sum != d[4])
        problems.push_back(says(what, ": tag checksum ", int(d[4]), ", computed ", int(sum)));
    const size_t crcLength = le16(d + 10);
    if (16 + crcLength > available)
        problems.push_back(says(what, ": CRC length ", crcLength, " reaches past the descriptor"));
    else if (descriptorCrc(d + 16, crcLength) != le16(d + 8))
        problems.push_back(
            says(what, ": descriptor CRC ", le16(d + 8), ", computed ", descriptorCrc(d + 16, crcLength)));
    if (le32(d + 12) != location)
        problems.push_back(says(what, ": tag location ", le32(d + 12), ", expected ", location));
    return problems.size() == before;
}

// One volume descriptor sequence, by tag identifier; the descriptors'
// bytes after the tag.
using Sequence = std::map<uint16_t, std::vector<uint8_t>>;

Sequence readSequence(const ImageSectors &image, uint32_t length, uint32_t first, const std::string &name,
                      std::vector<std::string> &problems)
{
    Sequence found;
    bool terminated = false;
    for (uint32_t s = first; s < first + length / kSector && s < image.sectorCount() && !terminated; ++s) {
        const auto d = image.read(s);
        const uint16_t id = le16(d.data());
        if (!checkTag(d.data(), kSector, 0, s, says(name, " descriptor ", id, " (at ", s, ")"), problems))
            continue;
        if (found.count(id))
            problems.push_back(says(name, ": descriptor ", id, " twice (at ", s, ")"));
        found[id].assign(d.begin() + 16, d.end());
        terminated = id == 8;
    }
    if (!terminated)
        problems.push_back(name + ": no terminating descriptor inside its extent");
    for (uint16_t needed : {1, 5, 6})
        if (!found.count(needed))
            problems.push_back(says(name, ": descriptor ", needed, " missing"));
    return found;
}

struct Partition
{
    uint32_t start = 0;
    uint32_t length = 0;
};

class FileTreeWalk
{
public:
    FileTreeWalk(const ImageSectors &image, Partition partition, std::vector<std::string> &problems)
        : m_image(image), m_partition(partition), m_problems(problems)
    {
    }

    void entry(uint32_t block, const std::string &path, uint32_t parentBlock, int depth);
    int files = 0;
    int directories = 0;

private:
    std::vector<uint8_t> block(uint32_t b) const { return m_image.read(uint64_t(m_partition.start) + b); }
    void directory(const std::vector<uint8_t> &data, const std::vector<uint32_t> &blocks,
                   const std::string &path, uint32_t ownBlock, uint32_t parentBlock, int depth);

    const ImageSectors &m_image;
    Partition m_partition;
    std::vector<std::string> &m_problems;
    std::set<uint32_t> m_seen;
};

void FileTreeWalk::entry(uint32_t b, const std::string &path, uint32_t parentBlock, int depth)
{
    const std::string what = "UDF file entry of " + path;
    if (b >= m_partition.length)
        return m_problems.push_back(says(what, ": block ", b, " outside the partition"));
    if (!m_seen.insert(b).second || depth > 300)
        return m_problems.push_back(says(what, ": block ", b, " reached twice"));
    const auto d = block(b);
    if (!checkTag(d.data(), kSector, 261, b, what, m_problems))
        return;
    const uint32_t eaLength = le32(&d[168]);
    const uint32_t adLength = le32(&d[172]);
    if (176 + size_t(eaLength) + adLength > kSector || le16(&d[10]) != 176 + eaLength + adLength - 16)
        m_problems.push_back(what + ": CRC length does not cover the entry");
    if (le16(&d[16 + 4]) != 4)
        m_problems.push_back(says(what, ": ICB strategy ", le16(&d[20]), ", expected 4"));
    if ((le16(&d[16 + 18]) & 7) != 0)
        return m_problems.push_back(what + ": not short allocation descriptors");
    const bool isDirectory = d[16 + 11] == 4;
    const uint64_t length = le32(&d[56]) | uint64_t(le32(&d[60])) << 32;
    std::vector<uint8_t> data;
    std::vector<uint32_t> blocks;
    uint64_t described = 0;
    for (size_t o = 176 + eaLength; o + 8 <= 176 + size_t(eaLength) + adLength && o + 8 <= kSector; o += 8) {
        const uint32_t bytes = le32(&d[o]) & 0x3FFFFFFF;
        const uint32_t first = le32(&d[o + 4]);
        described += bytes;
        const uint32_t count = (bytes + kSector - 1) / kSector;
        if (bytes && uint64_t(first) + count > m_partition.length)
            m_problems.push_back(what + ": an extent reaches past the partition");
        else if (isDirectory)
            for (uint32_t i = 0; i < count; ++i) {
                const auto sector = block(first + i);
                data.insert(data.end(), sector.begin(), sector.end());
                blocks.push_back(first + i);
            }
    }
    if (described != length)
        m_problems.push_back(says(what, ": extents hold ", described, " bytes, the entry says ", length));
    if (!isDirectory) {
        ++files;
        return;
    }
    ++directories;
    data.resize(std::min<size_t>(data.size(), length));
    directory(data, blocks, path, b, parentBlock, depth);
}

void FileTreeWalk::directory(const std::vector<uint8_t> &data, const std::vector<uint32_t> &blocks,
                             const std::string &path, uint32_t ownBlock, uint32_t parentBlock, int depth)
{
    bool first = true;
    for (size_t o = 0; o + 38 <= data.size(); first = false) {
        const uint8_t *f = &data[o];
        const size_t length = (38 + le16(f + 36) + f[19] + 3) & ~size_t(3);
        const std::string what = says("UDF identifier in ", path, " (at ", o, ")");
        if (o + length > data.size())
            return m_problems.push_back(what + ": runs past the folder's data");
        if (!checkTag(f, length, 257, blocks[o / kSector], what, m_problems))
            return;
        if (le16(f + 10) != length - 16)
            m_problems.push_back(what + ": CRC length does not cover the identifier");
        const uint32_t target = le32(f + 24);
        const std::string name(reinterpret_cast<const char *>(f + 38 + le16(f + 36) + 1),
                               f[19] ? f[19] - 1u : 0u);
        if (f[18] & 0x08) { // the parent entry
            if (!first)
                m_problems.push_back(what + ": the parent entry is not the first");
            if (target != parentBlock)
                m_problems.push_back(says(what, ": the parent entry points at block ", target));
        } else if (!(f[18] & 0x04)) { // not deleted
            entry(target, path + (path == "/" ? "" : "/") + name, ownBlock, depth + 1);
        }
        o += length;
    }
    if (first)
        m_problems.push_back("UDF folder " + path + " has no parent entry");
}

} // namespace

void checkUdf(const ImageSectors &image, std::vector<std::string> &problems)
{
    const auto anchor = image.read(256);
    if (!checkTag(anchor.data(), kSector, 2, 256, "UDF anchor at 256", problems))
        return;
    const auto last = uint32_t(image.sectorCount() - 1);
    const auto end = image.read(last);
    checkTag(end.data(), kSector, 2, last, says("UDF anchor (at ", last, ")"), problems);
    if (!std::equal(end.begin() + 16, end.begin() + 32, anchor.begin() + 16))
        problems.push_back(says("UDF anchor (at ", last, "): points elsewhere than the anchor at 256"));
    const Sequence main =
        readSequence(image, le32(&anchor[16]), le32(&anchor[20]), "main sequence", problems);
    const Sequence reserve =
        readSequence(image, le32(&anchor[24]), le32(&anchor[28]), "reserve sequence", problems);
    if (le32(&anchor[20]) == le32(&anchor[28]))
        problems.push_back("the reserve sequence is the main sequence");
    if (main != reserve)
        problems.push_back("the reserve sequence differs from the main sequence");
    if (!main.count(5) || !main.count(6))
        return;
    const uint8_t *pd = main.at(5).data() - 16;
    const Partition partition{le32(pd + 188), le32(pd + 192)};
    if (uint64_t(partition.start) + partition.length > image.sectorCount())
        problems.push_back("the partition reaches past the image");
    const uint8_t *lvd = main.at(6).data() - 16;
    if (le32(lvd + 212) != kSector)
        problems.push_back(says("logical block size ", le32(lvd + 212)));

    const uint32_t integrity = le32(lvd + 436);
    const auto lvid = image.read(integrity);
    checkTag(lvid.data(), kSector, 9, integrity, "UDF integrity descriptor", problems);
    if (le32(lvd + 432) > kSector)
        checkTag(image.read(integrity + 1).data(), kSector, 8, integrity + 1, "UDF integrity terminator",
                 problems);
    if (le32(&lvid[28]) != 1)
        problems.push_back("the logical volume integrity is not closed");

    const uint32_t fsdBlock = le32(lvd + 252);
    const auto fsd = image.read(uint64_t(partition.start) + fsdBlock);
    if (!checkTag(fsd.data(), kSector, 256, fsdBlock, "UDF file set descriptor", problems))
        return;
    FileTreeWalk walk(image, partition, problems);
    const uint32_t root = le32(&fsd[404]);
    walk.entry(root, "/", root, 0);
    const size_t use = 80 + 8 * size_t(le32(&lvid[72]));
    if (use + 40 > kSector)
        return;
    if (le32(&lvid[use + 32]) != uint32_t(walk.files))
        problems.push_back(says("the integrity descriptor counts ", le32(&lvid[use + 32]),
                                " files, the tree holds ", walk.files));
    if (le32(&lvid[use + 36]) != uint32_t(walk.directories))
        problems.push_back(says("the integrity descriptor counts ", le32(&lvid[use + 36]),
                                " folders, the tree holds ", walk.directories));
}

} // namespace imagecheck::strict
