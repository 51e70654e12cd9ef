#include "lang/BuiltinTexts.h"

#include "lang/LanguageFile.h"

#include <QFile>

#include <unordered_map>

// Outside any namespace, as Qt requires: a resource compiled into a static
// library must be registered by hand.
static void RegisterEnglishResource()
{
    Q_INIT_RESOURCE(english_texts);
}

namespace {

using TextTable = std::unordered_map<std::uint32_t, QString>;

// Read once: unlike the current language file, the built-in one cannot
// change while the program runs.
TextTable LoadTable()
{
    RegisterEnglishResource();
    TextTable table;
    QFile file(QStringLiteral(":/lang/english.lng"));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    // try_emplace keeps the first line of an id, as every lookup does.
    for (langfile::Entry &entry : langfile::ParseEntries(file.readAll()))
        table.try_emplace(entry.id, std::move(entry.text));
    return table;
}

} // namespace

namespace builtin {

std::optional<QString> Text(std::uint32_t id)
{
    static const TextTable table = LoadTable();
    const auto found = table.find(id);
    if (found == table.end())
        return std::nullopt;
    return found->second;
}

} // namespace builtin
