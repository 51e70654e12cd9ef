// The shipped language files against the table of text ids in use: every id
// the program looks up has a text in every file, and every text holds exactly
// the placeholders its caller fills in, so no translation can make a format
// read a value of the wrong kind or one that is not there.

#include "lang/CLanguageText.h"
#include "lang/LanguageFile.h"
#include "platform/TextFormat.h"

#include "TestEnvironment.h"
#include "TextIds.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace {

using namespace Qt::StringLiterals;

const QString kLangDir = QStringLiteral(ORVANE_TEST_SOURCE_DIR "/lang");

// The placeholders of a format text, one letter per value the caller must
// pass: s a text, d a whole number, c a character, f a fraction. Nothing when
// the text holds a conversion the program never passes (%n, %p, a "*" width,
// a length letter, a lone "%" at the end).
std::optional<QString> PlaceholderSignature(const QString &text)
{
    static const std::pair<QString, QChar> classes[] = {
        {u"diuxXo"_s, u'd'}, {u"s"_s, u's'}, {u"c"_s, u'c'}, {u"fFeEgG"_s, u'f'}};
    QString signature;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%')
            continue;
        qsizetype j = i + 1;
        if (j < text.size() && text[j] == u'%') {
            i = j;
            continue;
        }
        while (j < text.size() && (u"-+0 #."_s.contains(text[j]) || text[j].isDigit()))
            ++j;
        if (j >= text.size())
            return std::nullopt;
        const auto found = std::find_if(std::begin(classes), std::end(classes),
                                        [&](const auto &c) { return c.first.contains(text[j]); });
        if (found == std::end(classes))
            return std::nullopt;
        signature.append(found->second);
        i = j;
    }
    return signature;
}

// lang/text-ids.txt: "<id> <signature> <Name>" per line, "-" for a text used as it stands.
std::map<std::uint32_t, QString> ReadIdTable()
{
    std::map<std::uint32_t, QString> table;
    for (const QByteArray &raw : testenv::readFile(kLangDir + u"/text-ids.txt"_s).split('\n')) {
        const QList<QByteArray> fields = raw.trimmed().split(' ');
        if (fields.size() == 3 && !fields[0].startsWith('#'))
            table[fields[0].toUInt()] = fields[1] == "-" ? QString() : QString::fromLatin1(fields[1]);
    }
    return table;
}

// Every shipped file names each id in use once and no other. Every text
// holds exactly the placeholders its caller fills in, and shows every value
// the caller passes.
TEST(ShippedLanguageFiles, HaveEveryIdOnceAndEveryTextFitsItsCaller)
{
    const auto table = ReadIdTable();
    const QStringList files = QDir(kLangDir).entryList({u"*.lng"_s}, QDir::Files, QDir::Name);
    EXPECT_EQ(files, QStringList({"deutsch.lng", "english.lng"}));
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray file = testenv::readFile(kLangDir + u'/' + name);
        std::map<std::uint32_t, int> seen;
        for (const langfile::Entry &entry : langfile::ParseEntries(file)) {
            if (entry.id == 0)
                continue; // blank lines
            ++seen[entry.id];
            EXPECT_EQ(table.count(entry.id), 1u) << "id not in use: " << entry.id;
        }
        const CLanguageText lang(kLangDir + u'/' + name);
        for (const auto &[id, signature] : table) {
            EXPECT_EQ(seen[id], 1) << "id " << id << " must appear exactly once";
            const QString text = lang.GetText(int(id));
            ASSERT_FALSE(text.isEmpty()) << "id " << id;
            if (signature.isEmpty()) {
                EXPECT_FALSE(text.contains(QLatin1Char('%'))) << "id " << id << " is used as it stands";
                continue;
            }
            EXPECT_EQ(PlaceholderSignature(text), signature) << "id " << id;
            // One value per letter, each recognisable in the result (the
            // settings template shows its numbers in hexadecimal).
            std::vector<FormatArg> args;
            QStringList shown;
            for (qsizetype i = 0; i < signature.size(); ++i) {
                const QChar kind = signature[i];
                const QString value = kind == u's'   ? u"<value%1>"_s.arg(i)
                                      : kind == u'c' ? u"Q"_s
                                                     : QString::number(7100 + i);
                if (kind == u's')
                    args.emplace_back(value);
                else if (kind == u'c')
                    args.emplace_back(char32_t(U'Q'));
                else if (kind == u'd')
                    args.emplace_back(int(7100 + i));
                else
                    args.emplace_back(0.5);
                const bool hidden = kind == u'f' || (kind == u'd' && id == textid::SettingsTemplate);
                shown << (hidden ? QString() : value);
            }
            const QString result = FormatText(text, args.data(), args.size());
            for (qsizetype i = 0; i < shown.size(); ++i)
                EXPECT_TRUE(result.contains(shown[i])) << "id " << id << " lost value " << i;
        }
        QStringList keys;
        for (const QString &line : lang.GetText(textid::SettingsTemplate).split(u'\n')) {
            if (!line.startsWith(u'#') && line.contains(QLatin1String(": ")))
                keys << line.section(QLatin1String(": "), 0, 0);
        }
        EXPECT_EQ(keys, QStringList({"Device", "MediaType", "FSFlags", "BurnFlags", "MoreFlags", "Speed",
                                     "Language", "SuccessWave", "ErrorWave", "EnableAudio", "LimitCD",
                                     "LimitDVD", "LimitCDRed", "LimitDVDRed", "DefaultSourceDir"}))
            << "the keys the settings reader looks for";
        const QString all = QString::fromUtf8(file);
        EXPECT_TRUE(all.contains(QLatin1String("Orvane Burn")));
        EXPECT_FALSE(all.contains(QLatin1String("Nero"), Qt::CaseInsensitive));
        EXPECT_FALSE(all.contains(QLatin1String("Windows")));
    }
}

} // namespace
