#include "jobs/label/VolumeLabel.h"

#include "TextIds.h"
#include "jobs/ports/IJobWindow.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"

#include <QList>
#include <utility>

namespace {

const QString FallbackLabel = QStringLiteral("NO_NAME");

// Applied in this order; the umlauts are matched after upper-casing.
const std::pair<QString, QString> Replacements[] = {
    {" ", "_"},          {"-", "_"},          {".", "_"},          {"+", "_"},          {"&", "_"},
    {QChar(0xD6), "OE"}, {QChar(0xC4), "AE"}, {QChar(0xDC), "UE"}, {QChar(0xDF), "SS"},
};

const QString RemovedCharacters = QStringLiteral("#(?)[]{},\\");

// The first count characters, never splitting a surrogate pair.
QString FirstCharacters(const QString &text, int count)
{
    qsizetype end = 0;
    for (int i = 0; i < count && end < text.size(); ++i) {
        const bool pair =
            text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

QString CleanedCharacters(const QString &text)
{
    QString label = text.toUpper();
    for (const auto &[from, to] : Replacements)
        label.replace(from, to);
    for (QChar removed : RemovedCharacters)
        label.remove(removed);
    return label;
}

} // namespace

int VolumeLabelLimit(bool shortLabels)
{
    return shortLabels ? 16 : 32;
}

int CharacterCount(const QString &text)
{
    return int(text.toUcs4().size());
}

QString NormalizeVolumeLabel(const QString &text, int limit, IJobWindow &window)
{
    if (CharacterCount(text) < 2 || text.contains(':'))
        return FallbackLabel;
    const QString label = CleanedCharacters(text);
    if (CharacterCount(label) > limit) {
        window.ShowMessageBox(FormatText(window.GetText(textid::LabelTruncated), {limit}),
                              QStringLiteral("Information"), mb::Ok | mb::IconInformation);
        return FirstCharacters(label, limit);
    }
    return label.isEmpty() ? FallbackLabel : label;
}

int ValidateVolumeLabel(QString &volume, int limit, IJobWindow &window)
{
    volume = NormalizeVolumeLabel(volume, limit, window);
    const QLatin1String allowed(AllowedLabelCharacters);
    for (char32_t character : volume.toUcs4()) {
        if (character < 0x80 && allowed.contains(QLatin1Char(char(character))))
            continue;
        window.ShowMessageBox(FormatText(window.GetText(textid::LabelRefused), {FormatArg(character)}),
                              QStringLiteral("Error!"), mb::Ok | mb::IconStop);
        window.AppendLog(FormatText(window.GetText(textid::LabelRefusedLog), {FormatArg(character)}));
        return -1;
    }
    return 0;
}

QString LabelRoomText(const QString &volume, int limit)
{
    return QString::number(limit - CharacterCount(volume));
}
