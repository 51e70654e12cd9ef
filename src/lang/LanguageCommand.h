#pragma once

#include "lang/HelpFile.h"

#include <QString>

#include <functional>

class CLanguageText;
class QWidget;

// What the main window lends the Language command.
struct LanguageCommandWindow
{
    QWidget *owner = nullptr;
    CLanguageText *texts = nullptr;
    QString programFolder;
    QString *language = nullptr;            // the Language setting (m_strLangFile)
    std::function<void()> applyWindowTexts; // the main window's ApplyWindowTexts and data exchange
    std::function<void()> saveSettings;     // SaveSettings
    HelpOpener openHelp;                    // F1 in the language dialog
};

// The Language command: runs the language dialog, takes its choice (the
// unchanged value after Cancel), points the text source at it, applies the
// window texts again (after Cancel too) and saves the settings only when the
// dialog was closed with OK.
void RunLanguageCommand(const LanguageCommandWindow &window);
