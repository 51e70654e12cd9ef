// The ISO 9660 half of the strict structure check (ECMA-119 8.4, 9.1, 9.4,
// 6.8.2.1): each hierarchy's directory tree and its two path tables.

#include "StrictStructureCheck.h"

#include <set>

namespace imagecheck::strict {
namespace {

constexpr int kMaxLevels = 8;

struct PathRecord
{
    std::vector<uint8_t> id;
    uint32_t extent = 0;
    uint16_t parent = 0;
    bool operator==(const PathRecord &) const = default;
};

struct Folder
{
    uint32_t extent = 0;
    uint32_t size = 0;
    uint16_t number = 0; // 1-based, path table order
    uint16_t parent = 0;
    int level = 1; // the root is level 1
    std::string path;
    std::vector<uint8_t> id;
};

class Hierarchy
{
public:
    Hierarchy(const ImageSectors &image, const std::vector<uint8_t> &descriptor, std::string name,
              std::vector<std::string> &problems)
        : m_image(image), m_d(descriptor), m_name(std::move(name)), m_problems(problems)
    {
    }

    void check();

private:
    void problem(const std::string &text) { m_problems.push_back(m_name + ": " + text); }
    void bothEndian(size_t offset, int width, const char *field);
    std::vector<Folder> walkTree();
    void readFolder(const Folder &folder, uint32_t parentExtent, std::vector<Folder> &queue);
    void checkPathTable(uint32_t sector, bool bigEndian, const std::vector<PathRecord> &expected,
                        const char *which);

    const ImageSectors &m_image;
    const std::vector<uint8_t> &m_d;
    std::string m_name;
    std::vector<std::string> &m_problems;
    std::set<uint32_t> m_seen;
};

void Hierarchy::bothEndian(size_t offset, int width, const char *field)
{
    const uint8_t *p = &m_d[offset];
    if (width == 4 ? le32(p) != be32(p + 4) : le16(p) != be16(p + 2))
        problem(std::string(field) + ": the two byte orders disagree");
}

void Hierarchy::readFolder(const Folder &folder, uint32_t parentExtent, std::vector<Folder> &queue)
{
    const auto bytes = m_image.read(folder.extent, (folder.size + kSector - 1) / kSector);
    bool first = true;
    int index = 0;
    for (size_t o = 0; o < folder.size && o < bytes.size();) {
        const uint8_t length = bytes[o];
        if (length == 0) {
            o = (o / kSector + 1) * kSector;
            continue;
        }
        const uint8_t *r = &bytes[o];
        const std::string where = says(folder.path, " record ", index++);
        if (o / kSector != (o + length - 1) / kSector || length < 34 || 33u + r[32] > length) {
            problem(where + ": crosses a sector boundary or has a bad length");
            return;
        }
        if (le32(r + 2) != be32(r + 6) || le32(r + 10) != be32(r + 14))
            problem(where + ": the two byte orders disagree");
        const std::vector<uint8_t> id(r + 33, r + 33 + r[32]);
        const uint32_t extent = le32(r + 2);
        if (index == 1 && (id != std::vector<uint8_t>{0} || extent != folder.extent))
            problem(where + ": the first record is not \".\" pointing at the folder itself");
        else if (index == 2 && (id != std::vector<uint8_t>{1} || extent != parentExtent))
            problem(where + ": the second record is not \"..\" pointing at the parent");
        else if (index > 2 && (r[25] & 0x02)) {
            Folder sub{extent, le32(r + 10), 0, folder.number, folder.level + 1, folder.path, id};
            for (size_t i = 0; i < id.size(); ++i)
                if (id[i] >= 0x20 && id[i] < 0x7F)
                    sub.path.push_back(char(id[i]));
            sub.path += "/";
            queue.push_back(sub);
        }
        first = false;
        o += length;
    }
    if (first)
        problem(folder.path + ": an empty directory");
}

// Breadth first, each folder's subfolders in record order: that is the
// order ECMA-119 fixes for the path table (level, parent number, name).
std::vector<Folder> Hierarchy::walkTree()
{
    std::vector<Folder> folders;
    const uint8_t *root = &m_d[156];
    folders.push_back({le32(root + 2), le32(root + 10), 1, 1, 1, "/", {0}});
    for (size_t i = 0; i < folders.size() && folders.size() < 65536; ++i) {
        Folder folder = folders[i];
        folder.number = uint16_t(i + 1);
        folders[i].number = folder.number;
        if (folder.level > kMaxLevels)
            problem(says(folder.path, " is at level ", folder.level, ", deeper than eight"));
        if (!m_seen.insert(folder.extent).second) {
            problem(folder.path + " reached twice");
            continue;
        }
        const uint32_t parentExtent = i == 0 ? folder.extent : folders[folder.parent - 1].extent;
        std::vector<Folder> subfolders;
        readFolder(folder, parentExtent, subfolders);
        folders.insert(folders.end(), subfolders.begin(), subfolders.end());
    }
    return folders;
}

void Hierarchy::checkPathTable(uint32_t sector, bool bigEndian, const std::vector<PathRecord> &expected,
                               const char *which)
{
    const uint32_t size = le32(&m_d[132]);
    const auto bytes = m_image.read(sector, (size + kSector - 1) / kSector);
    std::vector<PathRecord> found;
    for (size_t o = 0; o + 8 <= size;) {
        const uint8_t idLength = bytes[o];
        if (idLength == 0 || o + 8 + idLength > size) {
            problem(std::string(which) + " path table: a record with a bad identifier length");
            break;
        }
        PathRecord record;
        record.extent = bigEndian ? be32(&bytes[o + 2]) : le32(&bytes[o + 2]);
        record.parent = bigEndian ? be16(&bytes[o + 6]) : le16(&bytes[o + 6]);
        record.id.assign(&bytes[o + 8], &bytes[o + 8] + idLength);
        found.push_back(record);
        o += 8 + idLength + idLength % 2;
    }
    if (found.size() != expected.size())
        return problem(says(which, " path table at ", sector, ": ", found.size(), " records, the tree has ",
                            expected.size(), " folders"));
    for (size_t i = 0; i < found.size(); ++i)
        if (!(found[i] == expected[i]))
            problem(says(which, " path table record ", i + 1, " does not match folder ", i + 1,
                         " of the tree (extent ", found[i].extent, ", expected ", expected[i].extent, ")"));
}

void Hierarchy::check()
{
    bothEndian(80, 4, "volume space size");
    bothEndian(120, 2, "volume set size");
    bothEndian(124, 2, "volume sequence number");
    bothEndian(128, 2, "logical block size");
    bothEndian(132, 4, "path table size");
    if (le16(&m_d[128]) != kSector)
        problem(says("logical block size ", le16(&m_d[128])));
    if (le32(&m_d[80]) != m_image.sectorCount())
        problem(says("volume space size ", le32(&m_d[80]), ", the image has ", m_image.sectorCount(),
                     " sectors"));
    if (m_d[156] != 34)
        problem("the root record in the descriptor is not 34 bytes");
    std::vector<PathRecord> expected;
    for (const Folder &folder : walkTree())
        expected.push_back({folder.id, folder.extent, folder.parent});
    checkPathTable(le32(&m_d[140]), false, expected, "type L");
    checkPathTable(be32(&m_d[148]), true, expected, "type M");
    if (le32(&m_d[144]))
        checkPathTable(le32(&m_d[144]), false, expected, "optional type L");
    if (be32(&m_d[152]))
        checkPathTable(be32(&m_d[152]), true, expected, "optional type M");
}

bool isJoliet(const std::vector<uint8_t> &d)
{
    return d[88] == '%' && d[89] == '/' && (d[90] == '@' || d[90] == 'C' || d[90] == 'E');
}

} // namespace

bool checkIso(const ImageSectors &image, std::vector<std::string> &problems)
{
    bool primary = false;
    for (uint64_t s = 16; s < image.sectorCount() && s < 64; ++s) {
        const auto d = image.read(s);
        if (std::string(reinterpret_cast<const char *>(&d[1]), 5) != "CD001")
            break;
        if (d[0] == 255)
            return primary;
        if (d[0] == 1) {
            primary = true;
            Hierarchy(image, d, "ISO 9660", problems).check();
        } else if (d[0] == 2 && isJoliet(d)) {
            Hierarchy(image, d, "Joliet", problems).check();
        }
    }
    if (primary)
        problems.push_back("the ISO 9660 descriptor set has no terminator");
    return primary;
}

} // namespace imagecheck::strict
