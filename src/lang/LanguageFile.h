#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// The rules of a language file, on its bytes:
// - lines end in LF, CR LF or CR; a line may be of any length;
// - a line whose first character is "#" or ";" is a comment;
// - every other line starts with its text id: white space skipped, an
//   optional sign, decimal digits up to the first non-digit; a value beyond
//   32 bits counts as 0xFFFFFFFF, a minus sign negates modulo 2^32, and a
//   line without digits has id 0;
// - its text is what remains after removing the leading run of the
//   characters "0123456789: \t"; "\n" and "\r" are the only escapes;
// - the first line for an id counts.
// The file is UTF-8, or Windows-1252 when it is not valid UTF-8; a leading
// UTF-8 byte-order mark is not part of the first line.
namespace langfile {

struct Entry
{
    std::uint32_t id;
    QString text;
};

// The language file used when the setting names none.
inline const QString DefaultFileName = QStringLiteral("english.lng");
// The file name start-up uses for the Language setting: a value of fewer than
// five characters (too short for a name and ".lng") becomes DefaultFileName.
QString StartupFileName(const QString &languageSetting);
// The largest language file that is read; a bigger one counts as missing.
constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;
// The full path of the language file in the program folder: only a plain
// file name ending in ".lng" (any letter case) names one. Anything else (a
// path, "..", a name without the extension) gives an empty path, which reads
// as a missing file.
QString LanguageFilePath(const QString &programFolder, const QString &fileName);
// The same for the Language setting at start-up (after StartupFileName).
QString ProgramFolderFile(const QString &programFolder, const QString &languageSetting);
// The bytes of the language file at path, or nothing when it is missing or
// is no regular file of at most MaxFileBytes.
std::optional<QByteArray> ReadFile(const QString &path);

// The text id a line starts with.
std::uint32_t ParseTextId(QByteArrayView line);
// The line's text: the leading run removed and the escapes replaced.
QByteArray LineText(QByteArrayView line);
// Replaces every backslash-n by a line feed, then every backslash-r by a
// carriage return.
QByteArray ReplaceEscapes(QByteArray text);

// The text of the first line for id in the whole file, or nothing.
std::optional<QString> FindText(QByteArrayView file, std::uint32_t id);
// Every text line of the file in file order (duplicates included).
std::vector<Entry> ParseEntries(QByteArrayView file);

} // namespace langfile
