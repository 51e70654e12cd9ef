#include "ProgramFolderCopy.h"
#include "TestEnvironment.h"

ProgramFolderCopy::ProgramFolderCopy()
{
    m_path = testenv::makeTempDir(QStringLiteral("program"));
    testenv::copyFolder(QStringLiteral(ORVANE_TEST_PROGRAM_DIR), m_path);
}

bool ProgramFolderCopy::WriteFile(const QString &name, const QByteArray &contents) const
{
    return testenv::writeFile(File(name), contents);
}
