#include "jobs/tree/DvdVideoNames.h"

#include "jobs/tree/FolderListing.h"

#include <QList>
#include <QString>
#include <cstdio>

namespace {

std::string TitleSetName(int titleSet, int part, const char *extension)
{
    char name[16];
    std::snprintf(name, sizeof name, "VTS_%02d_%d.%s", titleSet, part, extension);
    return name;
}

std::vector<DvdVideoFile> MakeLookupOrder()
{
    std::vector<DvdVideoFile> order = {
        {"video_ts.ifo", true, false},
        {"video_ts.vob", false, false},
        {"video_ts.bup", true, false},
    };
    for (int titleSet = 1; titleSet <= 99; ++titleSet) {
        order.push_back({TitleSetName(titleSet, 0, "IFO"), false, true});
        for (int part = 0; part <= 9; ++part)
            order.push_back({TitleSetName(titleSet, part, "VOB"), false, false});
        order.push_back({TitleSetName(titleSet, 0, "BUP"), false, false});
    }
    return order;
}

bool IsAsciiNoCase(uint c, char expected)
{
    const char ascii = static_cast<char>(c);
    return c < 0x80 && EqualsNoCase({&ascii, 1}, {&expected, 1});
}

} // namespace

const std::vector<DvdVideoFile> &DvdVideoLookupOrder()
{
    static const std::vector<DvdVideoFile> order = MakeLookupOrder();
    return order;
}

bool IsJacketPictureName(std::string_view name)
{
    // Compared by character, not by byte, so that a question mark also
    // stands for a letter that takes several bytes.
    const QList<uint> chars = QString::fromUtf8(name.data(), qsizetype(name.size())).toUcs4();
    static constexpr char pattern[] = "J??___??.MP2";
    if (chars.size() != qsizetype(sizeof pattern - 1))
        return false;
    for (qsizetype i = 0; i < chars.size(); ++i) {
        if (pattern[i] != '?' && !IsAsciiNoCase(chars[i], pattern[i]))
            return false;
    }
    return true;
}
