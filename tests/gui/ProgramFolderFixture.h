#pragma once

#include "TestEnvironment.h"

#include "platform/MemoryRegistryStore.h"

#include <QFile>
#include <QString>

// A private program folder holding copies of the shipped language files,
// and an empty machine registry (so no recording library is found).
class ProgramFolderFixture
{
public:
    ProgramFolderFixture() : m_folder(testenv::makeTempDir(QStringLiteral("program")))
    {
        for (const char *name : {"english.lng", "deutsch.lng"})
            QFile::copy(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/lang/") + QLatin1String(name),
                        File(QLatin1String(name)));
    }
    ProgramFolderFixture(const ProgramFolderFixture &) = delete;
    ProgramFolderFixture &operator=(const ProgramFolderFixture &) = delete;

    // The machine registry a window started in this folder is given.
    MemoryRegistryStore &Registry() { return m_registry; }
    QString Folder() const { return m_folder; }
    QString File(const QString &name) const { return m_folder + QLatin1Char('/') + name; }
    // The program file path the application object would hand over.
    QString ProgramFile() const { return File(QStringLiteral("orvane-burn")); }
    void WriteFile(const QString &name, const QByteArray &content) const
    {
        QFile file(File(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
    }

private:
    QString m_folder;
    MemoryRegistryStore m_registry;
};
