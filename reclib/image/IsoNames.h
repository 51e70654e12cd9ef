#pragma once
// Name rules of the ISO 9660 and Joliet hierarchies. Names are given as the
// program wrote them (UTF-8); results carry no version suffix (";1"), which
// the directory writer adds to files.

#include <string>
#include <string_view>
#include <vector>

namespace image {

enum class IsoFlavour { Primary, Joliet };
enum class EntryKind { File, Directory };

// Decodes UTF-8 into code points; a malformed byte becomes U+FFFD.
std::u32string decodeUtf8(std::string_view text);

// ISO 9660: upper-case d-characters (A-Z, 0-9, _), every other character
// '_'. A file keeps one dot before its extension and at most 30 characters
// beside it; a folder at most 31 characters and no dot. DVD-Video names such
// as VIDEO_TS.IFO come out unchanged.
std::u16string primaryIdentifier(std::string_view utf8, EntryKind kind);

// The primary volume identifier: the same d-characters as a folder name,
// but the field holds 32 of them.
std::u16string volumeIdentifier(std::string_view utf8);

// Joliet: UCS-2, at most 64 characters, the characters Joliet forbids (and
// those beyond UCS-2) as '_'. A longer name keeps its extension where it can.
std::u16string jolietIdentifier(std::string_view utf8, EntryKind kind);

std::u16string identifierFor(IsoFlavour flavour, std::string_view utf8, EntryKind kind);

// Makes the identifiers of one folder unique. names[i] is entry i's
// identifier; entries are considered in the order of originals (the UTF-8
// names, byte-wise), so the outcome does not depend on the tree's order. A
// clashing identifier gets a decimal number at the end of its name part,
// shortened so that it stays within the flavour's length limit.
void resolveCollisions(IsoFlavour flavour, const std::vector<std::string> &originals,
                       const std::vector<EntryKind> &kinds, std::vector<std::u16string> &names);

// Sort order of directory records: ISO 9660 compares the name part, then
// the extension (shorter counts as padded with blanks); Joliet compares the
// UCS-2 code units.
bool identifierLess(IsoFlavour flavour, std::u16string_view a, std::u16string_view b);

} // namespace image
