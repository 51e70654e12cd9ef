#pragma once

#include <QString>

// String operations on paths with "/" as separator. Each operation keeps its
// result as the helper's last result and returns a copy.
class CPathHelper
{
public:
    virtual ~CPathHelper();

    // The text before the last "/"; empty when there is none.
    QString GetDirectory(const QString &path);
    // Trailing "/" removed, then the text after the last "/"; empty when no
    // "/" remains.
    QString GetLastComponent(const QString &path);
    // The text before the last dot anywhere in the path (a dot in a folder
    // name counts); the whole path when it has no dot.
    QString GetWithoutExtension(const QString &path);
    // The text after the last dot, letter case kept; empty when there is none.
    QString GetExtension(const QString &path);

    const QString &LastResult() const { return m_strResult; }

private:
    QString m_strResult;
};
