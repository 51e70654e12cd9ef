#include "platform/CPathHelper.h"

CPathHelper::~CPathHelper() = default;

QString CPathHelper::GetDirectory(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

QString CPathHelper::GetLastComponent(const QString &path)
{
    QString trimmed = path;
    while (trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    const qsizetype slash = trimmed.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : trimmed.mid(slash + 1);
}
