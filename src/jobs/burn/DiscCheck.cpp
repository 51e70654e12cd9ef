#include "jobs/burn/DiscCheck.h"

namespace jobs {

UsedRewritable ClassifyDisc(const DiscInfo &info)
{
    if (info.contentCount == 0)
        return UsedRewritable::No;
    if (info.mediaType == MEDIA_TYPE_DVD_RW)
        return UsedRewritable::DvdMinusRw;
    if (info.mediaType == MEDIA_TYPE_DVD_PRW)
        return UsedRewritable::DvdPlusRw;
    if (info.mediumType == MEDIUM_TYPE_CDRW)
        return UsedRewritable::CdRw;
    return UsedRewritable::No;
}

QString RewritableSuffix(UsedRewritable kind)
{
    switch (kind) {
    case UsedRewritable::DvdMinusRw:
        return QStringLiteral(" DVD-RW");
    case UsedRewritable::DvdPlusRw:
        return QStringLiteral(" DVD+RW");
    default:
        return QStringLiteral(" CD-RW");
    }
}

} // namespace jobs
