#pragma once

#include <QString>

// String operations on paths with "/" as separator.
class CPathHelper
{
public:
    virtual ~CPathHelper();

    // The text before the last "/"; empty when there is none.
    QString GetDirectory(const QString &path);
    // Trailing "/" removed, then the text after the last "/"; empty when no
    // "/" remains.
    QString GetLastComponent(const QString &path);
};
