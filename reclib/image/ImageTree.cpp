#include "image/ImageTree.h"

#include <cstring>

namespace image {
namespace {

// Reads a fixed-size text field that the program may, by mistake, have filled
// to the last byte without a terminator.
std::string_view boundedText(const char *field, size_t width)
{
    return std::string_view(field, strnlen(field, width));
}

// Deeper trees than this are not a real folder tree but a loop in the
// records; stop instead of recursing without end.
constexpr int kMaxDepth = 256;

void visitBelow(ImageNode &node, const std::function<void(ImageNode &)> &visit)
{
    for (auto &child : node.children()) {
        visit(child);
        visitBelow(child, visit);
    }
}

} // namespace

std::string ImageNode::sourcePath() const
{
    if (!sourceTail)
        return {};
    return std::string(sourceFolder) + sourceTail;
}

ImageTree::ImageTree(const IsoItem *first, StopCheck stopRequested)
    : m_stopRequested(std::move(stopRequested))
{
    m_root.isDirectory = true;
    copyList(first, m_root, 0);
}

void ImageTree::copyList(const IsoItem *first, ImageNode &into, int depth)
{
    if (depth > kMaxDepth || m_stopped)
        return;
    // Counted first so that the entries get one array of exactly their number.
    uint32_t count = 0;
    for (const IsoItem *item = first; item; item = item->nextSibling)
        ++count;
    if (count == 0)
        return;
    into.m_children = std::make_unique<ImageNode[]>(count);
    into.m_childCount = count;
    ImageNode *node = into.m_children.get();
    for (const IsoItem *item = first; item; item = item->nextSibling, ++node) {
        node->nameText = m_texts.keep(boundedText(item->name, sizeof item->name));
        node->isDirectory = item->directoryFlag != 0;
        node->parent = &into;
        if (node->isDirectory) {
            ++m_directoryCount;
            copyList(item->firstChild, *node, depth + 1);
        } else {
            ++m_fileCount;
            if (m_stopRequested && m_fileCount % kStopCheckFiles == 0 && m_stopRequested())
                m_stopped = true;
            if (m_stopped)
                return;
            copyFile(*item, *node);
        }
    }
}

void ImageTree::copyFile(const IsoItem &item, ImageNode &node)
{
    const std::string_view path = boundedText(item.sourcePath, sizeof item.sourcePath);
    keepSourcePath(path, node);
    // The open needs a terminated path; the field may lack the terminator.
    char terminated[sizeof item.sourcePath + 1];
    std::memcpy(terminated, path.data(), path.size());
    terminated[path.size()] = '\0';
    const dvdvideo::SourceFile source = dvdvideo::SourceFile::Open(terminated);
    if (!source.usable()) {
        node.sourceMissing = true;
        node.sourceRefusal = uint8_t(source.refusal());
        node.sourceErrno = source.error();
        if (!m_firstMissing)
            m_firstMissing = &node;
        return;
    }
    const dvdvideo::SourceStamp &stamp = source.stamp();
    node.size = stamp.size;
    node.sourceSeconds = stamp.modifiedSeconds;
    node.sourceNanoseconds = uint32_t(stamp.modifiedNanoseconds);
    node.sourceDevice = stamp.device;
    node.sourceInode = stamp.inode;
    node.changedSeconds = stamp.changedSeconds;
    node.changedNanoseconds = uint32_t(stamp.changedNanoseconds);
    node.modified = node.sourceSeconds;
    node.modifiedNanoseconds = node.sourceNanoseconds;
}

// Files of one folder usually come one after the other and are named as on
// the disc: they share one copy of the folder, and the last part reuses the
// name.
void ImageTree::keepSourcePath(std::string_view path, ImageNode &node)
{
    const size_t cut = path.rfind('/') == std::string_view::npos ? 0 : path.rfind('/') + 1;
    const std::string_view folder = path.substr(0, cut);
    const std::string_view tail = path.substr(cut);
    if (m_lastSourceFolder.data() == nullptr || folder != m_lastSourceFolder)
        m_lastSourceFolder = std::string_view(m_texts.keep(folder), folder.size());
    node.sourceFolder = m_lastSourceFolder.data();
    node.sourceTail = tail == node.name() ? node.nameText : m_texts.keep(tail);
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
