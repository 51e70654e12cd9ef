#include "recorders/MediumKind.h"

#include "reclib_api.h"

#include <array>
#include <cctype>

namespace reclib {
namespace {

// 4.7 GB DVD: DVD+R/RW 2295104 sectors, DVD-R/RW 2298496; 80-minute CD: 359846.
constexpr int64_t DvdPlusSectors = 2295104;
constexpr int64_t DvdMinusSectors = 2298496;
constexpr int64_t CdSectors = 359846;
// Dual-layer 8.5 GB: DVD+R DL 4173824 sectors with a layer 0 of at most
// 2086912; DVD-R DL 4171712, half of it on each layer.
constexpr int64_t DvdPlusDlSectors = 4173824;
constexpr int64_t DvdPlusDlLayer0 = 2086912;
constexpr int64_t DvdMinusDlSectors = 4171712;

constexpr std::array<MediumTraits, 9> Traits{{
    {"none", 0, 0, MEDIUM_TYPE_NONE, false, false, 0},
    {"CD-R", MEDIA_CD, MEDIA_CD, MEDIUM_TYPE_CDR, false, false, CdSectors},
    {"CD-RW", MEDIA_CD, MEDIA_CD, MEDIUM_TYPE_CDRW, true, false, CdSectors},
    {"DVD-R", MEDIA_DVD_MINUS, MEDIA_DVD_MINUS, MEDIUM_TYPE_DVD, false, false, DvdMinusSectors},
    {"DVD-RW", MEDIA_DVD_MINUS, MEDIA_TYPE_DVD_RW, MEDIUM_TYPE_DVD, true, false, DvdMinusSectors},
    {"DVD+R", MEDIA_DVD_PLUS, MEDIA_DVD_PLUS, MEDIUM_TYPE_DVD, false, true, DvdPlusSectors},
    {"DVD+RW", MEDIA_DVD_PLUS, MEDIA_TYPE_DVD_PRW, MEDIUM_TYPE_DVD, true, true, DvdPlusSectors},
    {"DVD+R DL", MEDIA_DVD_PLUS, MEDIA_DVD_PLUS, MEDIUM_TYPE_DVD, false, true, DvdPlusDlSectors,
     DvdPlusDlLayer0},
    {"DVD-R DL", MEDIA_DVD_MINUS, MEDIA_DVD_MINUS, MEDIUM_TYPE_DVD, false, false, DvdMinusDlSectors,
     DvdMinusDlSectors / 2},
}};

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

const MediumTraits &traitsOf(MediumKind kind)
{
    return Traits[static_cast<size_t>(kind)];
}

std::optional<MediumKind> mediumKindFromName(std::string_view name)
{
    for (size_t i = 0; i < Traits.size(); ++i) {
        if (equalsIgnoringCase(Traits[i].name, name))
            return static_cast<MediumKind>(i);
    }
    return std::nullopt;
}

bool isDvd(MediumKind kind)
{
    return (traitsOf(kind).family & MEDIA_SET_DVD) != 0;
}

} // namespace reclib
