#include "jobs/tree/CompilationBuilder.h"

#include "TextIds.h"
#include "jobs/ports/IJobWindow.h"
#include "jobs/tree/DvdVideoNames.h"
#include "jobs/tree/FolderListing.h"

#include <cstring>

namespace {

constexpr size_t MaxRecordText = ISO_ITEM_NAME_SIZE - 1; // the NUL needs the last byte
static_assert(ISO_ITEM_NAME_SIZE == ISO_ITEM_PATH_SIZE);

QString FromBytes(const std::string &bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

std::string ToBytes(const QString &text)
{
    return text.toUtf8().toStdString();
}

std::string UpperCased(const std::string &name)
{
    return ToBytes(FromBytes(name).toUpper());
}

bool IsUtf8(const std::string &bytes)
{
    return FromBytes(bytes).toUtf8() == QByteArray::fromStdString(bytes);
}

bool IsDvdVideoFolderName(const std::string &name)
{
    return EqualsNoCase(name, "AUDIO_TS") || EqualsNoCase(name, "VIDEO_TS") || EqualsNoCase(name, "JACKET_P");
}

} // namespace

// The end of one folder's list of entries while it grows: the first entry
// hangs on the anchor as its first child or next sibling, every further one
// on the entry before it.
class CompilationBuilder::Chain
{
public:
    Chain(IsoItem *anchor, LinkAs link) : m_anchor(anchor), m_link(link) {}

    void Link(IsoItem *item)
    {
        if (m_last != nullptr)
            m_last->nextSibling = item;
        else if (m_link == LinkAs::FirstChild)
            m_anchor->firstChild = item;
        else
            m_anchor->nextSibling = item;
        m_last = item;
    }

private:
    IsoItem *m_anchor;
    LinkAs m_link;
    IsoItem *m_last = nullptr;
};

CompilationBuilder::CompilationBuilder(IJobWindow &window, IsoTree &tree)
    : m_window(window), m_tree(tree), m_allocate(NewIsoItem)
{
}

void CompilationBuilder::SetAllocator(Allocator allocator)
{
    m_allocate = std::move(allocator);
}

void CompilationBuilder::SetAbortCheck(AbortCheck aborted)
{
    m_abortCheck = std::move(aborted);
}

bool CompilationBuilder::Aborted()
{
    if (!m_aborted && m_abortCheck && m_abortCheck()) {
        m_aborted = true;
        FreeIsoTree();
    }
    return m_aborted;
}

void CompilationBuilder::FreeIsoTree()
{
    m_tree.reset();
}

IsoItem *CompilationBuilder::BuildCompilation(const QString &sourceDir)
{
    FreeIsoTree();
    m_aborted = false;
    m_window.SetStatusText(m_window.GetText(textid::StatusBuilding));
    m_window.AppendLogText(textid::BuildStarted);
    m_window.AppendLog(m_window.GetText(textid::SourceFolderIs) + " \"" + sourceDir + "\"");

    const std::string source = ToBytes(sourceDir);
    std::vector<FolderEntry> top;
    ListFolder(source, top);
    const FolderEntry *audioTs = FindEntryNoCase(top, "AUDIO_TS");
    const FolderEntry *videoTs = FindEntryNoCase(top, "VIDEO_TS");
    const FolderEntry *jacket = FindEntryNoCase(top, "JACKET_P");
    m_window.AppendLogText(audioTs != nullptr ? textid::AudioTsFolderFound : textid::AudioTsFolderMissing);
    m_window.AppendLogText(videoTs != nullptr ? textid::VideoTsFolderFound : textid::VideoTsFolderMissing);
    if (jacket != nullptr)
        m_window.AppendLogText(textid::JacketFolderFound);

    m_tree.reset(m_allocate());
    bool ok = m_tree ? Fill(m_tree.get(), "AUDIO_TS", {}) : Fail(textid::OutOfMemory);
    if (ok && audioTs != nullptr)
        ok = AddFolderTree(source + "/" + audioTs->name, m_tree.get(), LinkAs::FirstChild);

    IsoItem *videoTsItem = nullptr;
    if (ok) {
        Chain topLevel(m_tree.get(), LinkAs::NextSibling);
        videoTsItem = Append(topLevel);
        ok = videoTsItem != nullptr && Fill(videoTsItem, "VIDEO_TS", {});
    }
    if (ok)
        ok = AddVideoTsFiles(videoTs != nullptr ? source + "/" + videoTs->name : source, videoTsItem);

    if (ok && videoTs != nullptr) {
        IsoItem *anchor = videoTsItem;
        if (jacket != nullptr) {
            Chain afterVideoTs(videoTsItem, LinkAs::NextSibling);
            anchor = Append(afterVideoTs);
            ok = anchor != nullptr && Fill(anchor, "JACKET_P", {}) &&
                 AddJacketPictures(source + "/" + jacket->name, anchor);
        }
        if (ok)
            ok = AddFolderTree(source, anchor, LinkAs::NextSibling);
    }

    m_window.SetStatusText(m_window.GetText(m_tree ? textid::StatusBuilt : textid::StatusBuildFailed));
    return m_tree.get();
}

bool CompilationBuilder::AddVideoTsFiles(const QString &folder, IsoItem *videoTs)
{
    return AddVideoTsFiles(ToBytes(folder), videoTs);
}

bool CompilationBuilder::AddFolderTree(const QString &folder, IsoItem *anchor, LinkAs link)
{
    return AddFolderTree(ToBytes(folder), anchor, link);
}

bool CompilationBuilder::AddJacketPictures(const QString &folder, IsoItem *jacket)
{
    return AddJacketPictures(ToBytes(folder), jacket);
}

bool CompilationBuilder::AddVideoTsFiles(const std::string &folder, IsoItem *videoTs)
{
    m_window.AppendLogText(textid::AddingVideoTsFiles);
    std::vector<FolderEntry> entries;
    if (!ListOrFail(folder, entries))
        return false;

    Chain chain(videoTs, LinkAs::FirstChild);
    bool titleSetPresent = true;
    for (const DvdVideoFile &file : DvdVideoLookupOrder()) {
        if (Aborted())
            return false;
        const FolderEntry *found = FindEntryNoCase(entries, file.name);
        if (file.startsTitleSet)
            titleSetPresent = found != nullptr;
        if (!titleSetPresent)
            continue;
        if (found == nullptr) {
            if (file.name == "video_ts.ifo")
                return Fail(textid::VideoTsIfoMissing);
            if (file.name == "video_ts.bup")
                return Fail(textid::VideoTsBupMissing);
            if (file.name == "video_ts.vob")
                m_window.AppendLogText(textid::VideoTsVobMissing);
            continue;
        }
        const std::string discName = UpperCased(found->name);
        m_window.AppendLog("Adding " + FromBytes(discName));
        IsoItem *item = Append(chain);
        if (item == nullptr || !Fill(item, discName, folder + "/" + found->name))
            return false;
    }
    return true;
}

bool CompilationBuilder::AddFolderTree(const std::string &folder, IsoItem *anchor, LinkAs link)
{
    m_window.AppendLog(m_window.GetText(textid::AddingFolder) + " \"" + FromBytes(folder) + "\"...");
    std::vector<FolderEntry> entries;
    if (!ListOrFail(folder, entries))
        return false;

    Chain chain(anchor, link);
    for (const FolderEntry &entry : entries) {
        if (Aborted())
            return false;
        if (IsDvdVideoFolderName(entry.name))
            continue;
        if (entry.kind == EntryKind::FolderLink) {
            LogNaming(textid::FolderLinkSkipped, folder + "/" + entry.name);
            continue;
        }
        if (!AddFolderEntry(folder, entry.name, entry.kind == EntryKind::Folder, chain))
            return false;
    }
    return true;
}

bool CompilationBuilder::AddFolderEntry(const std::string &folder, const std::string &name, bool isFolder,
                                        Chain &chain)
{
    const std::string path = folder + "/" + name;
    if (!IsUtf8(name))
        return FailNaming(textid::NameNotUtf8, path);
    IsoItem *item = Append(chain);
    if (item == nullptr)
        return false;
    if (isFolder)
        return Fill(item, name, {}) && AddFolderTree(path, item, LinkAs::FirstChild);
    if (!Fill(item, name, path))
        return false;
    m_window.AppendLog("Adding file " + FromBytes(path) + "...");
    return true;
}

bool CompilationBuilder::AddJacketPictures(const std::string &folder, IsoItem *jacket)
{
    m_window.AppendLogText(textid::AddingJacketPictures);
    std::vector<FolderEntry> entries;
    if (!ListOrFail(folder, entries))
        return false;

    Chain chain(jacket, LinkAs::FirstChild);
    for (const FolderEntry &entry : entries) {
        if (!IsJacketPictureName(entry.name))
            continue;
        if (!IsUtf8(entry.name))
            return FailNaming(textid::NameNotUtf8, folder + "/" + entry.name);
        const std::string discName = UpperCased(entry.name);
        IsoItem *item = Append(chain);
        if (item == nullptr || !Fill(item, discName, folder + "/" + entry.name))
            return false;
        m_window.AppendLog("Adding " + FromBytes(discName));
    }
    return true;
}

// Allocates the next entry and links it into the tree at once, so that the
// tree owns it whatever happens next.
IsoItem *CompilationBuilder::Append(Chain &chain)
{
    if (Aborted())
        return nullptr;
    IsoItem *item = m_allocate();
    if (item == nullptr) {
        Fail(textid::OutOfMemory);
        return nullptr;
    }
    chain.Link(item);
    return item;
}

// Fills name, flags and source path (a folder has none). A text that does
// not fit the record would be cut, putting a wrong name on the disc or
// reading the wrong file, so it stops the build instead.
bool CompilationBuilder::Fill(IsoItem *item, const std::string &name, const std::string &sourcePath)
{
    // Which limit was met matters to the user: a long name must be
    // shortened, a long path only moved to a shorter folder.
    if (name.size() > MaxRecordText)
        return FailNaming(textid::NameTooLong, name);
    if (sourcePath.size() > MaxRecordText)
        return FailNaming(textid::SourcePathTooLong, sourcePath);
    std::memcpy(item->name, name.data(), name.size());
    std::memcpy(item->sourcePath, sourcePath.data(), sourcePath.size());
    item->directoryFlag = sourcePath.empty() ? 1 : 0;
    item->referenceFlag = 0;
    return true;
}

bool CompilationBuilder::ListOrFail(const std::string &folder, std::vector<FolderEntry> &entries)
{
    if (ListFolder(folder, entries) == ListStatus::Unreadable)
        return FailNaming(textid::FolderUnreadable, folder);
    return true;
}

bool CompilationBuilder::Fail(int textId)
{
    FreeIsoTree();
    m_window.AppendLogText(textId);
    return false;
}

bool CompilationBuilder::FailNaming(int textId, const std::string &nameOrPath)
{
    FreeIsoTree();
    LogNaming(textId, nameOrPath);
    return false;
}

void CompilationBuilder::LogNaming(int textId, const std::string &nameOrPath)
{
    m_window.AppendLog(m_window.GetText(textId) + " \"" + FromBytes(nameOrPath) + "\"");
}
