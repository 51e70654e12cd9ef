#pragma once

#include "lang/CLanguageText.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>

class QWidget;

// A private program folder holding copies of the shipped language files,
// and a text source pointed at one of them.
class DialogFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void UseLanguage(const QString &fileName);

    // The caption, title or text of a named child of a window.
    static QString CaptionOf(QWidget &window, const char *objectName);

    QString m_programFolder;
    CLanguageText m_texts;
};

// A stand-in for the main window: every control, menu item and icon button
// the window-text tables name, with the template captions.
std::unique_ptr<QWidget> MakeMainWindowStandIn();
