#include "recorders/ProfileMapping.h"

#include "reclib_api.h"

namespace reclib {
namespace {

constexpr int ProfileCdR = 0x09;
constexpr int ProfileCdRw = 0x0a;
constexpr int ProfileDvdMinusRSeq = 0x11;
constexpr int ProfileDvdRwRestricted = 0x13;
constexpr int ProfileDvdRwSeq = 0x14;
constexpr int ProfileDvdMinusRDlSeq = 0x15;
constexpr int ProfileDvdMinusRDlJump = 0x16;
constexpr int ProfileDvdPlusRw = 0x1a;
constexpr int ProfileDvdPlusR = 0x1b;
constexpr int ProfileDvdPlusRwDl = 0x2a;
constexpr int ProfileDvdPlusRDl = 0x2b;

} // namespace

std::optional<MediumKind> mediumFromProfile(int profile)
{
    switch (profile) {
    case ProfileCdR:
        return MediumKind::CdR;
    case ProfileCdRw:
        return MediumKind::CdRw;
    case ProfileDvdMinusRSeq:
    case ProfileDvdMinusRDlSeq:
    case ProfileDvdMinusRDlJump:
        return MediumKind::DvdMinusR;
    case ProfileDvdRwRestricted:
    case ProfileDvdRwSeq:
        return MediumKind::DvdMinusRw;
    case ProfileDvdPlusR:
    case ProfileDvdPlusRDl:
        return MediumKind::DvdPlusR;
    case ProfileDvdPlusRw:
    case ProfileDvdPlusRwDl:
        return MediumKind::DvdPlusRw;
    default:
        return std::nullopt;
    }
}

std::optional<MediumKind> dualLayerFromProfile(int profile)
{
    switch (profile) {
    case ProfileDvdPlusRDl:
        return MediumKind::DvdPlusRDl;
    case ProfileDvdMinusRDlSeq:
    case ProfileDvdMinusRDlJump:
        return MediumKind::DvdMinusRDl;
    default:
        return std::nullopt;
    }
}

DiscInfoFields discInfoFieldsFor(MediumKind kind, int sessionCount)
{
    const MediumTraits &traits = traitsOf(kind);
    DiscInfoFields fields;
    fields.mediumType = traits.discInfoMediumType;
    fields.mediaType = traits.discInfoMediaType;
    fields.contentCount = sessionCount > 0 ? sessionCount : 0;
    return fields;
}

EraseMethod eraseMethodFor(int profile, int eraseMode)
{
    const bool quick = eraseMode == ERASE_MODE_QUICK;
    switch (profile) {
    case ProfileCdRw:
    case ProfileDvdRwSeq:
        return quick ? EraseMethod::BlankFast : EraseMethod::BlankFull;
    case ProfileDvdRwRestricted:
    case ProfileDvdPlusRw:
    case ProfileDvdPlusRwDl:
        return EraseMethod::Format;
    default:
        return EraseMethod::NotErasable;
    }
}

} // namespace reclib
