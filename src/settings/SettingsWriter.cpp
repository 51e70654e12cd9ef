#include "settings/SettingsFile.h"

#include "settings/SettingsFlags.h"

#include "TextIds.h"
#include "lang/CLanguageText.h"
#include "platform/AtomicFile.h"
#include "platform/TextFormat.h"

namespace {

// A value is written on one line: control characters (line breaks, tabs and
// the like) would let it start a line of its own, that is, set another key.
QString OneLine(const QString &value)
{
    QString cleaned;
    cleaned.reserve(value.size());
    for (const QChar ch : value) {
        if (ch.category() != QChar::Other_Control && ch != QChar::LineSeparator &&
            ch != QChar::ParagraphSeparator)
            cleaned += ch;
    }
    return cleaned;
}

} // namespace

QString SettingsFilePath(const QString &programFolder)
{
    return programFolder + QLatin1String("/Orvane.ini");
}

QString CtimeText(const QDateTime &localTime)
{
    // Spelled out rather than taken from strftime, whose names follow the
    // user's locale; the C library's ctime layout is always English.
    static const char *const Days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char *const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    return QString::asprintf("%s %s %2d %02d:%02d:%02d %d\n", Days[date.dayOfWeek() - 1],
                             Months[date.month() - 1], date.day(), time.hour(), time.minute(), time.second(),
                             date.year());
}

QString FormatSettingsText(const QString &templ, const SettingsValues &values, const QString &selectedDevice,
                           const QDateTime &now)
{
    int fsFlags = values.fs.GetFsFlags();
    if (values.main.m_bReallocate)
        fsFlags |= FS_REALLOC;
    const int burnFlags = values.other.GetBurnFlags();
    // Written only when set: a file without it reads as before.
    const int discWait = values.other.GetDiscChangeWaitSecs();
    const QString discWaitLine = discWait != OtherSettingsValues::DefaultDiscChangeWaitSecs
                                     ? QStringLiteral("DiscChangeWait: %1\n").arg(discWait)
                                     : QString();
    const QString text = FormatText(templ, {
                                               CtimeText(now),
                                               OneLine(selectedDevice),
                                               values.main.m_nMedia,
                                               fsFlags,
                                               burnFlags,
                                               values.other.GetMoreFlags(),
                                               values.main.m_nSpeedIndex,
                                               OneLine(values.language),
                                               OneLine(values.audio.GetSuccessWave()),
                                               OneLine(values.audio.GetErrorWave()),
                                               values.audio.IsAudioEnabled(),
                                               values.other.GetLimitCD(),
                                               values.other.GetLimitDVD(),
                                               values.other.GetLimitCDRed(),
                                               values.other.GetLimitDVDRed(),
                                               OneLine(values.main.m_strSourceDir),
                                           });
    return text + discWaitLine;
}

SaveSettingsResult SaveSettings(const QString &path, const SettingsValues &values,
                                const QString &selectedDevice, const CLanguageText &texts,
                                const QDateTime &now)
{
    // The new text goes to a temporary file that replaces the old one only
    // when it was written completely: a failed save keeps the old settings.
    const QString text =
        FormatSettingsText(texts.GetText(textid::SettingsTemplate), values, selectedDevice, now);
    const bool saved = WriteFileAtomically(path, text.toUtf8());
    return {saved, texts.GetText(saved ? textid::SettingsSaved : textid::SettingsNotSaved)};
}
