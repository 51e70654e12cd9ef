#include "UdfImage.h"

#include <udfread/udfread.h>

#include <algorithm>
#include <memory>

namespace imagecheck {
namespace {

struct FileCloser
{
    void operator()(UDFFILE *f) const { udfread_file_close(f); }
};
struct DirCloser
{
    void operator()(UDFDIR *d) const { udfread_closedir(d); }
};

} // namespace

UdfImage::UdfImage(const std::string &image) : m_udf(udfread_init())
{
    if (m_udf && udfread_open(m_udf, image.c_str()) < 0) {
        udfread_close(m_udf);
        m_udf = nullptr;
    }
}

UdfImage::~UdfImage()
{
    if (m_udf)
        udfread_close(m_udf);
}

std::string UdfImage::volumeId() const
{
    const char *id = m_udf ? udfread_get_volume_id(m_udf) : nullptr;
    return id ? id : "";
}

std::vector<UdfImage::Entry> UdfImage::list(const std::string &folder) const
{
    std::vector<Entry> out;
    std::unique_ptr<UDFDIR, DirCloser> dir(m_udf ? udfread_opendir(m_udf, folder.c_str()) : nullptr);
    if (!dir)
        return out;
    udfread_dirent entry{};
    while (udfread_readdir(dir.get(), &entry)) {
        const std::string name = entry.d_name;
        if (name != "." && name != "..")
            out.push_back({name, entry.d_type == UDF_DT_DIR});
    }
    return out;
}

std::vector<std::string> UdfImage::filesBelow(const std::string &folder) const
{
    std::vector<std::string> out;
    for (const Entry &e : list(folder)) {
        const std::string path = (folder == "/" ? "" : folder) + "/" + e.name;
        if (e.isFolder) {
            const auto below = filesBelow(path);
            out.insert(out.end(), below.begin(), below.end());
        } else {
            out.push_back(path);
        }
    }
    return out;
}

std::optional<std::vector<uint8_t>> UdfImage::read(const std::string &path) const
{
    std::unique_ptr<UDFFILE, FileCloser> file(m_udf ? udfread_file_open(m_udf, path.c_str()) : nullptr);
    if (!file)
        return std::nullopt;
    std::vector<uint8_t> bytes(size_t(udfread_file_size(file.get())));
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = udfread_file_read(file.get(), bytes.data() + got, bytes.size() - got);
        if (n <= 0)
            return std::nullopt;
        got += size_t(n);
    }
    return bytes;
}

std::optional<int64_t> UdfImage::size(const std::string &path) const
{
    std::unique_ptr<UDFFILE, FileCloser> file(m_udf ? udfread_file_open(m_udf, path.c_str()) : nullptr);
    if (!file)
        return std::nullopt;
    return udfread_file_size(file.get());
}

std::optional<std::vector<uint8_t>> UdfImage::readAt(const std::string &path, int64_t offset,
                                                     size_t length) const
{
    std::unique_ptr<UDFFILE, FileCloser> file(m_udf ? udfread_file_open(m_udf, path.c_str()) : nullptr);
    if (!file || udfread_file_seek(file.get(), offset, UDF_SEEK_SET) != offset)
        return std::nullopt;
    std::vector<uint8_t> bytes(length);
    const ssize_t n = udfread_file_read(file.get(), bytes.data(), length);
    if (n < 0)
        return std::nullopt;
    bytes.resize(size_t(n));
    return bytes;
}

std::optional<uint32_t> UdfImage::firstSector(const std::string &path) const
{
    std::unique_ptr<UDFFILE, FileCloser> file(m_udf ? udfread_file_open(m_udf, path.c_str()) : nullptr);
    if (!file)
        return std::nullopt;
    return udfread_file_lba(file.get(), 0);
}

} // namespace imagecheck
