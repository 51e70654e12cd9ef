#pragma once

#include <string>
#include <string_view>
#include <vector>

// One entry of a folder as the directory search returned it. Names are the
// raw bytes of the file system (UTF-8 on any sane system).
enum class EntryKind {
    File, // anything that is not a folder, including links to files
    Folder,
    FolderLink, // a symbolic link to a folder: never followed
};

struct FolderEntry
{
    std::string name;
    EntryKind kind = EntryKind::File;
};

enum class ListStatus {
    Listed,
    Missing,    // no such folder (or not a folder): an empty listing
    Unreadable, // the folder exists but cannot be searched
};

// Lists a folder in the order the file system returns its entries, without
// "." and "..". On failure the listing is empty and errorCode (if given)
// holds the system's reason.
ListStatus ListFolder(const std::string &path, std::vector<FolderEntry> &entries, int *errorCode = nullptr);

// ASCII letters compared without case, every other byte exactly: the
// DVD-Video names are plain ASCII, and a name in another script can never
// stand for one of them.
bool EqualsNoCase(std::string_view a, std::string_view b);

// The entry named name in any letter case; an exact spelling wins over other
// spellings, which only a case-sensitive file system can hold side by side.
const FolderEntry *FindEntryNoCase(const std::vector<FolderEntry> &entries, std::string_view name);
