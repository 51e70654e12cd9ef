#include "jobs/BurnFlags.h"

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
    if (fsFlagsWord & 0x08)
        result.flagList += QStringLiteral("ISO ");
    if (fsFlagsWord & 0x10)
        result.flagList += QStringLiteral("UDF ");
    if (fsFlagsWord & 0x01)
        result.flagList += QStringLiteral("Joliet ");
    if (fsFlagsWord & 0x02)
        result.flagList += QStringLiteral("Mode 2 ");
    if (reallocate) {
        result.flags |= ReallocateFsFlag;
        result.flagList += QStringLiteral("Realloc ");
    }
    return result;
}

} // namespace jobs
