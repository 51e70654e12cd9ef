#pragma once

#include "gui/ProgramFolderFixture.h"

#include "lang/CLanguageText.h"

#include <QAbstractButton>
#include <QWidget>

#include <gtest/gtest.h>

// The shipped language files in a private program folder, and a text
// source pointed at one of them.
class DialogFixture : public ::testing::Test
{
protected:
    void SetUp() override { UseLanguage(QStringLiteral("english.lng")); }
    void UseLanguage(const QString &fileName) { m_texts.SetFile(m_folder.File(fileName)); }

    ProgramFolderFixture m_folder;
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
