// Reads arbitrary bytes as a settings file, writes the values back and reads
// them again. Whatever the input, the written file has exactly its template's
// lines (no value can add one), and writing what was read back is a fixed
// point: reading the file we wrote yields the same file again.
#include "settings/SettingsFile.h"

#include "TextIds.h"
#include "lang/BuiltinTexts.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct Settings
{
    MainWindowSettings main;
    FsFlagsSettings fs;
    OtherSettingsValues other;
    AudioSettings audio;
    QString language;
    SettingsValues view{main, fs, other, audio, language};
};

QString Written(const Settings &s)
{
    static const QString templ = builtin::Text(textid::SettingsTemplate).value();
    static const QDateTime when(QDate(2001, 2, 3), QTime(4, 5, 6));
    return FormatSettingsText(templ, s.view, s.main.m_strDeviceName, when);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Settings first;
    ApplySettingsText(QByteArrayView(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)),
                      first.view);
    const QString text = Written(first);
    if (text.count(u'\n') != 18 || text.contains(u'\r'))
        std::abort();

    Settings second;
    ApplySettingsText(text.toUtf8(), second.view);
    if (Written(second) != text)
        std::abort();
    return 0;
}
