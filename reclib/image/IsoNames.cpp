#include "image/IsoNames.h"

#include <algorithm>
#include <numeric>
#include <set>

namespace image {
namespace {

constexpr size_t kPrimaryFileChars = 30; // name + extension, beside the dot
constexpr size_t kPrimaryFolderChars = 31;
constexpr size_t kVolumeIdentifierChars = 32;
constexpr size_t kJolietChars = 64;
constexpr size_t kJolietKeptExtension = 16;

char16_t primaryChar(char32_t c)
{
    if (c >= 'a' && c <= 'z')
        return char16_t(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')
        return char16_t(c);
    return u'_';
}

char16_t jolietChar(char32_t c)
{
    if (c < 0x20 || c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFD)
        return u'_';
    switch (c) {
    case '*':
    case '/':
    case ':':
    case ';':
    case '?':
    case '\\':
        return u'_';
    default:
        return char16_t(c);
    }
}

// Splits at the last dot: {name part, extension}; no dot gives no extension.
std::pair<std::u16string, std::u16string> splitExtension(const std::u16string &id)
{
    const auto dot = id.rfind(u'.');
    if (dot == std::u16string::npos)
        return {id, {}};
    return {id.substr(0, dot), id.substr(dot + 1)};
}

std::u16string joinExtension(const std::u16string &name, const std::u16string &ext, bool hasDot)
{
    return hasDot ? name + u'.' + ext : name;
}

size_t limitFor(IsoFlavour flavour, EntryKind kind)
{
    if (flavour == IsoFlavour::Joliet)
        return kJolietChars;
    return kind == EntryKind::Directory ? kPrimaryFolderChars : kPrimaryFileChars + 1;
}

// The identifier as a reader shows it without version, trailing dot or case.
std::u16string clashKey(const std::u16string &id)
{
    std::u16string key = id;
    while (!key.empty() && key.back() == u'.')
        key.pop_back();
    for (auto &c : key)
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - u'a' + u'A');
    return key;
}

} // namespace

std::u32string decodeUtf8(std::string_view text)
{
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = uint8_t(text[i]);
        const int extra = lead < 0x80         ? 0
                          : (lead >> 5) == 6  ? 1
                          : (lead >> 4) == 14 ? 2
                          : (lead >> 3) == 30 ? 3
                                              : -1;
        char32_t c = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
        bool ok = extra >= 0;
        for (int k = 1; ok && k <= extra; ++k) {
            if (i + size_t(k) >= text.size() || (uint8_t(text[i + k]) & 0xC0) != 0x80)
                ok = false;
            else
                c = (c << 6) | (uint8_t(text[i + k]) & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(c);
        i += size_t(extra) + 1;
    }
    return out;
}

std::u16string primaryIdentifier(std::string_view utf8, EntryKind kind)
{
    const std::u32string points = decodeUtf8(utf8);
    std::u16string id;
    for (char32_t c : points)
        id.push_back(c == '.' ? u'.' : primaryChar(c));
    if (kind == EntryKind::Directory) {
        std::replace(id.begin(), id.end(), u'.', u'_');
        id.resize(std::min(id.size(), kPrimaryFolderChars));
        return id.empty() ? u"_" : id;
    }
    auto [name, ext] = splitExtension(id);
    std::replace(name.begin(), name.end(), u'.', u'_');
    if (name.size() + ext.size() > kPrimaryFileChars) {
        ext.resize(std::min(ext.size(), size_t(8)));
        name.resize(std::min(name.size(), kPrimaryFileChars - ext.size()));
    }
    if (name.empty() && ext.empty())
        name = u"_";
    return name + u'.' + ext;
}

std::u16string volumeIdentifier(std::string_view utf8)
{
    std::u16string id;
    for (char32_t c : decodeUtf8(utf8))
        id.push_back(primaryChar(c));
    id.resize(std::min(id.size(), kVolumeIdentifierChars));
    return id.empty() ? u"_" : id;
}

std::u16string jolietIdentifier(std::string_view utf8, EntryKind kind)
{
    std::u16string id;
    for (char32_t c : decodeUtf8(utf8))
        id.push_back(jolietChar(c));
    if (id.empty())
        id = u"_";
    if (id.size() <= kJolietChars)
        return id;
    auto [name, ext] = splitExtension(id);
    if (kind == EntryKind::File && id.find(u'.') != std::u16string::npos &&
        ext.size() <= kJolietKeptExtension)
        return name.substr(0, kJolietChars - ext.size() - 1) + u'.' + ext;
    return id.substr(0, kJolietChars);
}

std::u16string identifierFor(IsoFlavour flavour, std::string_view utf8, EntryKind kind)
{
    return flavour == IsoFlavour::Primary ? primaryIdentifier(utf8, kind) : jolietIdentifier(utf8, kind);
}

void resolveCollisions(IsoFlavour flavour, const std::vector<std::string> &originals,
                       const std::vector<EntryKind> &kinds, std::vector<std::u16string> &names)
{
    std::vector<size_t> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return originals[a] < originals[b]; });
    std::set<std::u16string> taken;
    for (size_t i : order) {
        if (taken.insert(clashKey(names[i])).second)
            continue;
        const bool hasDot = names[i].find(u'.') != std::u16string::npos;
        auto [name, ext] = splitExtension(names[i]);
        const size_t limit = limitFor(flavour, kinds[i]);
        for (unsigned number = 1;; ++number) {
            const std::string digitsAscii = std::to_string(number);
            const std::u16string digits(digitsAscii.begin(), digitsAscii.end());
            const size_t room = limit - (hasDot ? ext.size() + 1 : 0);
            const size_t keep = room > digits.size() ? std::min(name.size(), room - digits.size()) : 0;
            const std::u16string candidate = joinExtension(name.substr(0, keep) + digits, ext, hasDot);
            if (taken.insert(clashKey(candidate)).second) {
                names[i] = candidate;
                break;
            }
        }
    }
}

bool identifierLess(IsoFlavour flavour, std::u16string_view a, std::u16string_view b)
{
    if (flavour == IsoFlavour::Joliet)
        return a < b;
    // Views, not copies: a folder of many files sorts its names often.
    const auto split = [](std::u16string_view id) {
        const auto dot = id.rfind(u'.');
        return dot == std::u16string_view::npos ? std::pair(id, std::u16string_view())
                                                : std::pair(id.substr(0, dot), id.substr(dot + 1));
    };
    const auto [nameA, extA] = split(a);
    const auto [nameB, extB] = split(b);
    if (nameA != nameB)
        return nameA < nameB;
    return extA < extB;
}

} // namespace image
