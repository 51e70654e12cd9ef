#pragma once

#include <QString>

// A private copy of the built program folder (<build>/bin), made of real
// copies rather than links, because the program finds its folder through
// /proc/self/exe. Tests change its settings, registry hive and recorder
// configuration freely.
class ProgramFolderCopy
{
public:
    ProgramFolderCopy();

    QString Path() const { return m_path; }
    QString Executable() const { return m_path + QStringLiteral("/orvane-burn"); }
    QString File(const QString &name) const { return m_path + QLatin1Char('/') + name; }
    // Replaces a file of the folder with the given text.
    bool WriteFile(const QString &name, const QByteArray &contents) const;

private:
    QString m_path;
};
