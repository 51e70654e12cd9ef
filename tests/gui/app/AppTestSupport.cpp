#include "AppTestSupport.h"

#include "TestEnvironment.h"

#include <QFile>

ProgramFolderFixture::ProgramFolderFixture() : m_folder(testenv::makeTempDir(QStringLiteral("program")))
{
    WriteFile(QStringLiteral("english.lng"), EnglishTexts());
    SetMachineRegistry(&m_registry);
}

ProgramFolderFixture::~ProgramFolderFixture()
{
    SetMachineRegistry(nullptr);
}

QString ProgramFolderFixture::EnglishTexts()
{
    return QStringLiteral("# texts for the window tests\n"
                          "560 SHUTDOWN %s|%s|%s|%s|%s\n"
                          "564 [%s][%s][%s]\\n%s\\n[%s]\n"
                          "604 No recording library\n"
                          "652 Orvane Burn is ready\n"
                          "654 Command line run\n"
                          "660 Setting up the recorders\n"
                          "710 Settings file %s not found\n"
                          "807 The recording library could not be loaded\n"
                          "824 Abort\n"
                          "825 Stop the burn?\n");
}

void ProgramFolderFixture::WriteFile(const QString &name, const QString &content) const
{
    QFile file(m_folder + QLatin1Char('/') + name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content.toUtf8());
}

void ProgramFolderFixture::WriteSettings(const QStringList &lines) const
{
    WriteFile(QStringLiteral("Orvane.ini"), lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

QStringList LogLines(const CBurnDlg &dlg)
{
    const QString text = dlg.GetLogText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}
