// The shipped language files against the table of text ids in use: every id
// the program looks up has a text in every file, and every text holds exactly
// the placeholders its caller fills in, so no translation can make a format
// read a value of the wrong kind or one that is not there.

#include "PlaceholderSignature.h"

#include "lang/CLanguageText.h"
#include "lang/LanguageFile.h"
#include "platform/TextFormat.h"

#include "TextIds.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const QString kLangDir = QStringLiteral(ORVANE_TEST_SOURCE_DIR "/lang");

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

struct TableRow
{
    QString signature; // empty: the text is used as it stands
    QByteArray name;   // the constant the code names it by
};

// lang/text-ids.txt: "<id> <signature> <Name>" per line, "-" for a text used as it stands.
std::map<std::uint32_t, TableRow> ReadIdRows()
{
    std::map<std::uint32_t, TableRow> rows;
    const QList<QByteArray> lines = ReadAll(kLangDir + QStringLiteral("/text-ids.txt")).split('\n');
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 3)
            ADD_FAILURE() << "malformed table line: " << line.constData();
        else
            rows[fields[0].toUInt()] = {fields[1] == "-" ? QString() : QString::fromLatin1(fields[1]),
                                        fields[2]};
    }
    return rows;
}

std::map<std::uint32_t, QString> ReadIdTable()
{
    std::map<std::uint32_t, QString> table;
    for (const auto &[id, row] : ReadIdRows())
        table[id] = row.signature;
    return table;
}

std::vector<std::string> ShippedFiles()
{
    std::vector<std::string> names;
    for (const QString &name : QDir(kLangDir).entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name))
        names.push_back(name.toStdString());
    return names;
}

// One value per letter of the signature, each recognisable in the result.
std::vector<FormatArg> SampleArguments(const QString &signature)
{
    std::vector<FormatArg> args;
    for (qsizetype i = 0; i < signature.size(); ++i) {
        switch (signature[i].unicode()) {
        case 's':
            args.emplace_back(QStringLiteral("<value%1>").arg(i));
            break;
        case 'd':
            args.emplace_back(int(7100 + i));
            break;
        case 'c':
            args.emplace_back(char32_t(U'Q'));
            break;
        default:
            args.emplace_back(0.5);
            break;
        }
    }
    return args;
}

class ShippedLanguageFile : public ::testing::TestWithParam<std::string>
{
protected:
    QString Path() const { return kLangDir + QLatin1Char('/') + QString::fromStdString(GetParam()); }
};

TEST(LanguageFileTable, ListsTheIdsInUseWithTheirCallersArguments)
{
    const auto table = ReadIdTable();
    // Ids the program never looks up.
    for (std::uint32_t unused : {728u, 801u, 805u})
        EXPECT_EQ(table.count(unused), 0u) << unused;
    const std::map<std::uint32_t, QString> formats = {
        {710, "s"}, {594, "c"},   {596, "c"},     {622, "d"},     {792, "d"},
        {798, "d"}, {826, "ddd"}, {560, "sssss"}, {562, "sssss"}, {564, "sssss"},
        {644, "s"}, {646, "s"},   {706, "s"},     {763, "ss"},    {566, "ssdddddsssddddds"},
        {968, "s"}, {970, "ss"},  {971, "ss"},    {972, "s"},     {973, "ss"},
        {974, "ss"}};
    for (const auto &[id, signature] : formats)
        EXPECT_EQ(table.at(id), signature) << id;
}

TEST(LanguageFileTable, NamesEveryIdOnceWithAnIdentifier)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Z][A-Za-z0-9]*$"));
    std::map<QByteArray, std::uint32_t> owner;
    for (const auto &[id, row] : ReadIdRows()) {
        EXPECT_TRUE(identifier.match(QString::fromLatin1(row.name)).hasMatch()) << id;
        const auto [it, fresh] = owner.emplace(row.name, id);
        EXPECT_TRUE(fresh) << row.name.constData() << " names " << it->second << " and " << id;
    }
}

TEST(LanguageFileTable, BothLanguagesAreShipped)
{
    const std::vector<std::string> files = ShippedFiles();
    EXPECT_NE(std::find(files.begin(), files.end(), "english.lng"), files.end());
    EXPECT_NE(std::find(files.begin(), files.end(), "deutsch.lng"), files.end());
}

TEST_P(ShippedLanguageFile, HasEveryIdOnceAndNoUnknownId)
{
    const auto table = ReadIdTable();
    std::map<std::uint32_t, int> seen;
    for (const langfile::Entry &entry : langfile::ParseEntries(ReadAll(Path()))) {
        if (entry.id == 0)
            continue; // blank lines
        ++seen[entry.id];
        EXPECT_EQ(table.count(entry.id), 1u) << "id not in use: " << entry.id;
    }
    for (const auto &[id, signature] : table)
        EXPECT_EQ(seen[id], 1) << "id " << id << " must appear exactly once";
}

TEST_P(ShippedLanguageFile, EveryTextHoldsExactlyItsCallersPlaceholders)
{
    CLanguageText lang(Path());
    for (const auto &[id, expected] : ReadIdTable()) {
        const QString text = lang.GetText(int(id));
        ASSERT_FALSE(text.isEmpty()) << "id " << id;
        if (expected.isEmpty()) {
            EXPECT_FALSE(text.contains(QLatin1Char('%'))) << "id " << id << " is used as it stands";
            continue;
        }
        const std::optional<QString> signature = PlaceholderSignature(text);
        ASSERT_TRUE(signature.has_value()) << "id " << id << " has a conversion no caller passes";
        EXPECT_EQ(*signature, expected) << "id " << id;
    }
}

TEST_P(ShippedLanguageFile, FormattedTextsShowEveryValueTheCallerPasses)
{
    CLanguageText lang(Path());
    for (const auto &[id, signature] : ReadIdTable()) {
        if (signature.isEmpty())
            continue;
        const std::vector<FormatArg> args = SampleArguments(signature);
        const QString result = FormatText(lang.GetText(int(id)), args.data(), args.size());
        for (qsizetype i = 0; i < signature.size(); ++i) {
            const QString shown = signature[i] == QLatin1Char('s')   ? QStringLiteral("<value%1>").arg(i)
                                  : signature[i] == QLatin1Char('c') ? QStringLiteral("Q")
                                  : signature[i] == QLatin1Char('d') && id != textid::SettingsTemplate
                                      ? QString::number(7100 + i)
                                      : QString();
            EXPECT_TRUE(result.contains(shown)) << "id " << id << " lost value " << i;
        }
    }
}

TEST_P(ShippedLanguageFile, SettingsTemplateKeepsTheKeysTheReaderLooksFor)
{
    const QString text = CLanguageText(Path()).GetText(textid::SettingsTemplate);
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList keys;
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1Char('#')) && line.contains(QLatin1String(": ")))
            keys << line.section(QLatin1String(": "), 0, 0);
    }
    EXPECT_EQ(keys, QStringList({"Device", "MediaType", "FSFlags", "BurnFlags", "MoreFlags", "Speed",
                                 "Language", "SuccessWave", "ErrorWave", "EnableAudio", "LimitCD", "LimitDVD",
                                 "LimitCDRed", "LimitDVDRed", "DefaultSourceDir"}));
}

TEST_P(ShippedLanguageFile, NamesNoOtherProduct)
{
    const QString text = QString::fromUtf8(ReadAll(Path()));
    EXPECT_TRUE(text.contains(QLatin1String("Orvane Burn")));
    EXPECT_FALSE(text.contains(QLatin1String("Nero"), Qt::CaseInsensitive));
    EXPECT_FALSE(text.contains(QLatin1String("Windows")));
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLanguageFile, ::testing::ValuesIn(ShippedFiles()),
                         [](const auto &testInfo) {
                             return testInfo.param.substr(0, testInfo.param.find('.'));
                         });

TEST(PlaceholderSignature, ReadsTheConversionsAFormatterFills)
{
    const std::vector<std::pair<QString, std::optional<QString>>> cases = {
        {"plain text", QString()},
        {"100%% done", QString()},
        {"%s and %d", QStringLiteral("sd")},
        {"%-8.2f|%05X|%c|%+i|%u|%o", QStringLiteral("fdcddd")},
        {"%2.2d:%.2d", QStringLiteral("dd")},
        {"ends in %", std::nullopt},
        {"%n", std::nullopt},
        {"%*d", std::nullopt},
        {"%ld", std::nullopt},
        {"%p", std::nullopt},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(PlaceholderSignature(text), expected) << text.toStdString();
}

} // namespace
