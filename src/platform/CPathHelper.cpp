#include "platform/CPathHelper.h"

CPathHelper::~CPathHelper() = default;

QString CPathHelper::GetDirectory(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    m_strResult = slash < 0 ? QString() : path.left(slash);
    return m_strResult;
}

QString CPathHelper::GetLastComponent(const QString &path)
{
    QString trimmed = path;
    while (trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    const qsizetype slash = trimmed.lastIndexOf(QLatin1Char('/'));
    m_strResult = slash < 0 ? QString() : trimmed.mid(slash + 1);
    return m_strResult;
}

QString CPathHelper::GetWithoutExtension(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    m_strResult = dot < 0 ? path : path.left(dot);
    return m_strResult;
}

QString CPathHelper::GetExtension(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    m_strResult = dot < 0 ? QString() : path.mid(dot + 1);
    return m_strResult;
}
