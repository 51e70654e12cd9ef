#pragma once

#include "TestEnvironment.h"

#include "lang/CLanguageText.h"

#include <QAbstractButton>
#include <QFile>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

// A private program folder holding copies of the shipped language files,
// and a text source pointed at one of them.
class DialogFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_programFolder = testenv::makeTempDir(QStringLiteral("program"));
        for (const char *name : {"english.lng", "deutsch.lng"}) {
            ASSERT_TRUE(QFile::copy(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/lang/") + QLatin1String(name),
                                    m_programFolder + QLatin1Char('/') + QLatin1String(name)));
        }
        UseLanguage(QStringLiteral("english.lng"));
    }
    void UseLanguage(const QString &fileName)
    {
        m_texts.SetFile(m_programFolder + QLatin1Char('/') + fileName);
    }

    QString m_programFolder;
    CLanguageText m_texts;
};

// The named child of a dialog; a failure when there is none.
template <typename T> T *Child(QWidget &dialog, const char *name)
{
    T *child = dialog.findChild<T *>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

inline void Click(QWidget &dialog, const char *name)
{
    Child<QAbstractButton>(dialog, name)->click();
}
