#pragma once

#include "jobs/tree/FolderListing.h"
#include "jobs/tree/IsoTree.h"

#include <QString>
#include <functional>
#include <string>
#include <vector>

class IJobWindow;

// Where the first entry a folder walk adds is linked to its anchor.
enum class LinkAs {
    FirstChild,
    NextSibling,
};

// Turns a DVD-Video source folder into the disc's file tree: AUDIO_TS,
// VIDEO_TS with the DVD-Video files in player order, JACKET_P with the
// jacket pictures, then everything else of the source as found. Logs each
// step and sets the status line through the window.
//
// The tree belongs to the IsoTree handed in (the main window's), so it is
// freed on every failure and whenever it is replaced. Fixed names and the
// jacket pattern match in any letter case; links to folders are never
// followed; a name, a path or a folder that cannot be put on the disc
// correctly stops the build with a log line naming it.
class CompilationBuilder
{
public:
    // Makes one zero-filled record or returns null; tests replace it to
    // run out of memory on purpose.
    using Allocator = std::function<IsoItem *()>;

    CompilationBuilder(IJobWindow &window, IsoTree &tree);

    void SetAllocator(Allocator allocator);
    // Asked between the entries of the walk: true stops the build as if it
    // had failed, without a line of its own (the caller reports the abort).
    void SetAbortCheck(std::function<bool()> aborted) { m_aborted = std::move(aborted); }

    // Builds the tree of sourceDir (used exactly as typed) into the owned
    // tree and returns its root, or null when the build failed.
    IsoItem *BuildCompilation(const QString &sourceDir);

    // The steps of the build. Each returns false after it has discarded the
    // tree and logged why.
    bool AddVideoTsFiles(const QString &folder, IsoItem *videoTs);
    bool AddFolderTree(const QString &folder, IsoItem *anchor, LinkAs link);
    bool AddJacketPictures(const QString &folder, IsoItem *jacket);

    // Discards the tree.
    void FreeIsoTree();

private:
    class Chain;

    bool AddVideoTsFiles(const std::string &folder, IsoItem *videoTs);
    bool AddFolderTree(const std::string &folder, IsoItem *anchor, LinkAs link);
    bool AddJacketPictures(const std::string &folder, IsoItem *jacket);
    bool AddFolderEntry(const std::string &folder, const std::string &name, bool isFolder, Chain &chain);
    IsoItem *Append(Chain &chain);
    bool Fill(IsoItem *item, const std::string &name, const std::string &sourcePath);
    bool Fail(int textId);
    bool FailNaming(int textId, const std::string &nameOrPath);
    // True (the tree discarded) when the caller has asked to stop.
    bool Aborted();
    void LogNaming(int textId, const std::string &nameOrPath);
    bool ListOrFail(const std::string &folder, std::vector<FolderEntry> &entries);

    IJobWindow &m_window;
    IsoTree &m_tree;
    Allocator m_allocate;
    std::function<bool()> m_aborted;
};
