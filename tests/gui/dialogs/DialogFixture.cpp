#include "DialogFixture.h"

#include "TestEnvironment.h"

#include <QFile>

void DialogFixture::SetUp()
{
    m_programFolder = testenv::makeTempDir(QStringLiteral("program"));
    for (const char *name : {"english.lng", "deutsch.lng"}) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/lang/") + QLatin1String(name),
                                m_programFolder + QLatin1Char('/') + QLatin1String(name)));
    }
    UseLanguage(QStringLiteral("english.lng"));
}

void DialogFixture::UseLanguage(const QString &fileName)
{
    m_texts.SetFile(m_programFolder + QLatin1Char('/') + fileName);
}
