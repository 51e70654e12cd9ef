#include "image/ImageTree.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace image {
namespace {

// Reads a fixed-size text field that the program may, by mistake, have filled
// to the last byte without a terminator.
std::string boundedText(const char *field, size_t width)
{
    return std::string(field, strnlen(field, width));
}

// Deeper trees than this are not a real folder tree but a loop in the
// records; stop instead of recursing without end.
constexpr int kMaxDepth = 256;

void visitBelow(ImageNode &node, const std::function<void(ImageNode &)> &visit)
{
    for (auto &child : node.children) {
        visit(*child);
        visitBelow(*child, visit);
    }
}

} // namespace

ImageTree::ImageTree(const IsoItem *first)
{
    m_root.isDirectory = true;
    copyList(first, m_root, 0);
}

void ImageTree::copyList(const IsoItem *first, ImageNode &into, int depth)
{
    if (depth > kMaxDepth)
        return;
    for (const IsoItem *item = first; item; item = item->nextSibling) {
        auto node = std::make_unique<ImageNode>();
        node->name = boundedText(item->name, sizeof item->name);
        node->isDirectory = item->directoryFlag != 0;
        node->parent = &into;
        if (node->isDirectory) {
            ++m_directoryCount;
            copyList(item->firstChild, *node, depth + 1);
        } else {
            ++m_fileCount;
            node->sourcePath = boundedText(item->sourcePath, sizeof item->sourcePath);
            struct stat info {};
            const bool found = ::stat(node->sourcePath.c_str(), &info) == 0;
            if (!found || !S_ISREG(info.st_mode)) {
                node->sourceMissing = true;
                node->sourceErrno = found ? EINVAL : errno;
                if (!m_firstMissing)
                    m_firstMissing = node.get();
            } else {
                node->size = uint64_t(info.st_size);
                node->stamp = {node->size, int64_t(info.st_mtim.tv_sec), int64_t(info.st_mtim.tv_nsec)};
                node->modified = int64_t(info.st_mtim.tv_sec);
                node->modifiedNanoseconds = uint32_t(info.st_mtim.tv_nsec);
            }
        }
        into.children.push_back(std::move(node));
    }
    // Growth left up to half of each list unused: with many files that is
    // memory the rest of the layout would need.
    into.children.shrink_to_fit();
}

void ImageTree::forEach(const std::function<void(ImageNode &)> &visit)
{
    visitBelow(m_root, visit);
}

void ImageTree::forEach(const std::function<void(const ImageNode &)> &visit) const
{
    visitBelow(const_cast<ImageNode &>(m_root), [&](ImageNode &n) { visit(n); });
}

} // namespace image
