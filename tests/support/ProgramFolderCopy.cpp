#include "ProgramFolderCopy.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>

ProgramFolderCopy::ProgramFolderCopy()
{
    m_path = testenv::makeTempDir(QStringLiteral("program"));
    testenv::copyFolder(QStringLiteral(ORVANE_TEST_PROGRAM_DIR), m_path);
}

bool ProgramFolderCopy::WriteFile(const QString &name, const QByteArray &contents) const
{
    QFile file(File(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
}

ProgramFolderCopy::RunResult ProgramFolderCopy::Run(const QStringList &arguments, int timeoutMs) const
{
    RunResult result;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(m_path);
    process.start(Executable(), arguments);
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(2000);
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.standardOutput = QString::fromUtf8(process.readAllStandardOutput());
    result.standardError = QString::fromUtf8(process.readAllStandardError());
    return result;
}
