#include "jobs/setup/BurnFlags.h"

namespace jobs {

uint32_t ComputeBurnFlags(uint32_t burnFlagsWord, bool verify)
{
    uint32_t flags = (burnFlagsWord | AlwaysBurnFlags) & ~NoOverwriteAskBit;
    if (verify)
        flags |= VerifyBurnFlag;
    else
        flags &= ~VerifyBurnFlag;
    return flags;
}

IsoTrackFlags ComputeIsoTrackFlags(uint32_t fsFlagsWord, bool reallocate)
{
    IsoTrackFlags result;
    result.flags = fsFlagsWord;
    if (fsFlagsWord & ISO_TRACK_ISO9660)
        result.flagList += QStringLiteral("ISO ");
    if (fsFlagsWord & ISO_TRACK_UDF)
        result.flagList += QStringLiteral("UDF ");
    if (fsFlagsWord & ISO_TRACK_JOLIET)
        result.flagList += QStringLiteral("Joliet ");
    if (fsFlagsWord & ISO_TRACK_MODE2)
        result.flagList += QStringLiteral("Mode 2 ");
    if (reallocate) {
        result.flags |= ReallocateFsFlag;
        result.flagList += QStringLiteral("Realloc ");
    }
    return result;
}

} // namespace jobs
