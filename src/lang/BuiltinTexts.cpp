#include "lang/BuiltinTexts.h"

namespace builtin {

namespace {

// The settings file: a header with the time of writing (the ctime text ends
// in its own line feed, so the second row of number signs starts a new line),
// then one "Key: value" line per setting, in the order the values are passed.
QString SettingsFileTemplate()
{
    const QString rule(54, QLatin1Char('#'));
    return rule + QLatin1Char('\n') + QLatin1String("# Orvane ini file, created: %s") + rule +
           QLatin1Char('\n') +
           QLatin1String("Device: %s\n"
                         "MediaType: %d\n"
                         "FSFlags: %X\n"
                         "BurnFlags: %X\n"
                         "MoreFlags: %X\n"
                         "Speed: %d\n"
                         "Language: %s\n"
                         "SuccessWave: %s\n"
                         "ErrorWave: %s\n"
                         "EnableAudio: %d\n"
                         "LimitCD: %d\n"
                         "LimitDVD: %d\n"
                         "LimitCDRed: %d\n"
                         "LimitDVDRed: %d\n"
                         "DefaultSourceDir: %s\n");
}

} // namespace

std::optional<QString> Text(std::uint32_t id)
{
    switch (id) {
    case MailLink:
        return QStringLiteral("mailto:orvane-burn@example.org");
    case WebPage:
        return QStringLiteral("https://orvane-burn.example.org/");
    case SettingsTemplate:
        return SettingsFileTemplate();
    case ProductLine:
        return QStringLiteral("Orvane Burn - puts your DVD-Video folders on disc");
    case DonationPage:
        return QStringLiteral("https://orvane-burn.example.org/donate");
    default:
        return std::nullopt;
    }
}

} // namespace builtin
