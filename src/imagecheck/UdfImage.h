#pragma once
// An image opened with libudfread, the reader players' software stacks use.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct udfread;

namespace imagecheck {

class UdfImage
{
public:
    explicit UdfImage(const std::string &image);
    ~UdfImage();
    UdfImage(const UdfImage &) = delete;
    UdfImage &operator=(const UdfImage &) = delete;

    bool isOpen() const { return m_udf != nullptr; }
    std::string volumeId() const;

    struct Entry
    {
        std::string name;
        bool isFolder;
    };
    // Folder entries in the order the folder records them.
    std::vector<Entry> list(const std::string &folder) const;
    // Every file below folder, as "/A/B" paths.
    std::vector<std::string> filesBelow(const std::string &folder) const;
    std::optional<std::vector<uint8_t>> read(const std::string &path) const;
    std::optional<int64_t> size(const std::string &path) const;
    // length bytes from offset (fewer at the end of the file).
    std::optional<std::vector<uint8_t>> readAt(const std::string &path, int64_t offset, size_t length) const;
    // The absolute sector of the file's first block.
    std::optional<uint32_t> firstSector(const std::string &path) const;

private:
    udfread *m_udf = nullptr;
};

} // namespace imagecheck
