#pragma once

#include "settings/AudioSettings.h"
#include "settings/FsFlagsSettings.h"
#include "settings/MainWindowSettings.h"
#include "settings/OtherSettingsValues.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

class CLanguageText;

// Where the settings live while the program runs: the main window and the
// three settings-dialog objects.
struct SettingsValues
{
    MainWindowSettings &main;
    FsFlagsSettings &fs;
    OtherSettingsValues &other;
    AudioSettings &audio;
    QString &language; // m_strLangFile, a bare file name such as "english.lng"
};

// "<programFolder>/Orvane.ini".
QString SettingsFilePath(const QString &programFolder);

// A settings file is a few hundred bytes; one far beyond that is not one the
// program wrote, and reading it whole would cost seconds and memory.
constexpr qint64 MaxSettingsFileBytes = 1024 * 1024;
constexpr int SettingsUnusable = -2;

// Reads the settings file into values: 0 when it was read, -1 when there is
// none, SettingsUnusable when something at the path is not a regular file of
// at most MaxSettingsFileBytes (every value then keeps what it had; the file
// is read whole or not at all, never in part). Keys missing from the file
// keep their values; lines are read whole whatever their length.
int LoadSettings(const QString &path, const SettingsValues &values);

// Moves a file that LoadSettings found unusable out of the way of the next
// save, to "<path>.unusable" (replacing an older one), so that saving the
// settings the program holds loses none of its bytes. The new name, or empty
// when it could not be moved (the save must then not go ahead).
QString SetUnusableSettingsAside(const QString &path);
// The same rules on text already in memory (used by LoadSettings and the fuzzer).
void ApplySettingsText(QByteArrayView fileBytes, const SettingsValues &values);

// The whole file text: templ (text 566) filled with the values, in the order
// of the file's lines. String values lose their control characters first, so
// no value can add a line (a key) to the file. selectedDevice is the text of
// the selected recorder entry (empty when none).
QString FormatSettingsText(const QString &templ, const SettingsValues &values, const QString &selectedDevice,
                           const QDateTime &now);

struct SaveSettingsResult
{
    bool saved = false;
    QString statusText; // text 776 when saved, else 777
};

// Writes the settings file: the text is written to a temporary file that then
// replaces the old one, so a failed save leaves the old settings untouched.
SaveSettingsResult SaveSettings(const QString &path, const SettingsValues &values,
                                const QString &selectedDevice, const CLanguageText &texts,
                                const QDateTime &now = QDateTime::currentDateTime());

// The C library's ctime text for a local time: "Wed Jun 30 21:49:08 1993\n".
QString CtimeText(const QDateTime &localTime);
