#include "settings/SettingsFile.h"

#include "settings/NumberParsing.h"
#include "settings/SettingsFlags.h"

#include "platform/BoundedFileRead.h"
#include "platform/TextDecoding.h"

#include <QFile>

#include <cstdio>
#include <functional>
#include <optional>

#include <sys/stat.h>

namespace {

using Apply = std::function<void(QStringView value, const SettingsValues &values)>;

struct KeyRule
{
    QLatin1StringView prefix;
    Apply apply;
};

QString WithoutLineControls(QStringView text)
{
    QString cleaned = text.toString();
    cleaned.remove(QLatin1Char('\n')).remove(QLatin1Char('\t')).remove(QLatin1Char('\r'));
    return cleaned;
}

// The keys in the order they are tried; the first prefix that matches acts.
// The prefixes include the colon and the blank, and letter case counts.
const std::vector<KeyRule> &KeyRules()
{
    using namespace numparse;
    static const std::vector<KeyRule> rules = {
        {QLatin1StringView("Device: "),
         [](QStringView v, const SettingsValues &s) { s.main.m_strDeviceName = v.toString(); }},
        {QLatin1StringView("MediaType: "),
         [](QStringView v, const SettingsValues &s) { s.main.m_nMedia = DecimalInt(v); }},
        {QLatin1StringView("Speed: "),
         [](QStringView v, const SettingsValues &s) { s.main.m_nSpeedIndex = DecimalInt(v); }},
        {QLatin1StringView("Language: "),
         [](QStringView v, const SettingsValues &s) { s.language = v.toString(); }},
        {QLatin1StringView("EnableAudio: "),
         [](QStringView v, const SettingsValues &s) { s.audio.SetAudioEnabled(DecimalInt(v)); }},
        {QLatin1StringView("SuccessWave: "),
         [](QStringView v, const SettingsValues &s) { s.audio.SetSuccessWave(v.toString()); }},
        {QLatin1StringView("ErrorWave: "),
         [](QStringView v, const SettingsValues &s) { s.audio.SetErrorWave(v.toString()); }},
        {QLatin1StringView("FSFlags: "),
         [](QStringView v, const SettingsValues &s) {
             const int word = HexLong(v);
             s.fs.SetFsFlags(word);
             s.main.m_bReallocate = (word & FS_REALLOC) ? 1 : 0;
         }},
        {QLatin1StringView("BurnFlags: "),
         [](QStringView v, const SettingsValues &s) {
             s.other.SetBurnFlags(static_cast<int>(HexUnsignedLong(v)));
         }},
        {QLatin1StringView("MoreFlags: "),
         [](QStringView v, const SettingsValues &s) {
             s.other.SetMoreFlags(static_cast<int>(HexUnsignedLong(v)));
         }},
        {QLatin1StringView("LimitCD: "),
         [](QStringView v, const SettingsValues &s) { s.other.SetLimitCD(DecimalInt(v)); }},
        {QLatin1StringView("LimitDVD: "),
         [](QStringView v, const SettingsValues &s) { s.other.SetLimitDVD(DecimalInt(v)); }},
        {QLatin1StringView("LimitCDRed: "),
         [](QStringView v, const SettingsValues &s) { s.other.SetLimitCDRed(DecimalInt(v)); }},
        {QLatin1StringView("DefaultSourceDir: "),
         [](QStringView v, const SettingsValues &s) { s.main.m_strSourceDir = WithoutLineControls(v); }},
        {QLatin1StringView("LimitDVDRed: "),
         [](QStringView v, const SettingsValues &s) { s.other.SetLimitDVDRed(DecimalInt(v)); }},
        {QLatin1StringView("DiscChangeWait: "),
         [](QStringView v, const SettingsValues &s) { s.other.SetDiscChangeWaitSecs(DecimalInt(v)); }},
    };
    return rules;
}

void ApplyLine(QStringView line, const SettingsValues &values)
{
    if (line.startsWith(u'#'))
        return;
    const qsizetype end = line.indexOf(u'\r');
    if (end >= 0)
        line = line.left(end);
    for (const KeyRule &rule : KeyRules()) {
        if (line.startsWith(rule.prefix)) {
            rule.apply(line.mid(rule.prefix.size()), values);
            return;
        }
    }
}

} // namespace

void ApplySettingsText(QByteArrayView fileBytes, const SettingsValues &values)
{
    // The whole file is decoded at once, so a line of any length is one line.
    const QString text = DecodeText(WithoutUtf8Bom(fileBytes));
    for (const QStringView line : QStringView(text).split(u'\n'))
        ApplyLine(line, values);
}

int LoadSettings(const QString &path, const SettingsValues &values)
{
    const std::optional<QByteArray> bytes = ReadRegularFile(path, MaxSettingsFileBytes);
    if (!bytes) {
        // Something is there, but it is no settings file this program can use.
        struct stat status
        {
        };
        return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? SettingsUnusable : -1;
    }
    ApplySettingsText(*bytes, values);
    return 0;
}

QString SetUnusableSettingsAside(const QString &path)
{
    const QString aside = path + QStringLiteral(".unusable");
    // rename(2) replaces an older file of that name, which QFile::rename
    // would refuse.
    if (std::rename(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData()) != 0)
        return QString();
    return aside;
}
