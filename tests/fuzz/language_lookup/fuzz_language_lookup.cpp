// The first four bytes (little-endian) are a text id, the rest a language
// file. The lookup must agree with the full parse (the first line for the id
// wins), and the text found, used as a format template as callers do, must
// format into a bounded result.
#include "lang/LanguageFile.h"

#include "platform/TextFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    const std::uint32_t id =
        data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
    const QByteArrayView file(reinterpret_cast<const char *>(data + 4), static_cast<qsizetype>(size - 4));

    const std::optional<QString> found = langfile::FindText(file, id);
    const std::vector<langfile::Entry> entries = langfile::ParseEntries(file);
    const auto first = std::find_if(entries.begin(), entries.end(),
                                    [id](const langfile::Entry &entry) { return entry.id == id; });
    if (found != (first == entries.end() ? std::nullopt : std::optional<QString>(first->text)))
        std::abort();
    // Any line's text may serve as a template, not only the one found.
    const QString templ = found ? *found : entries.empty() ? QString() : entries.front().text;

    const QString formatted = FormatText(templ, {QStringLiteral("text"), -42, 3.5, U'\u00C4', 7L});
    // A conversion takes at least two characters of the template and gives
    // at most a few hundred (width and precision are capped).
    if (formatted.size() > (templ.size() + 1) * 700)
        std::abort();
    return 0;
}
