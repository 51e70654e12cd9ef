#include "lang/LanguageFile.h"

#include "platform/BoundedFileRead.h"
#include "platform/TextDecoding.h"

namespace langfile {

namespace {

bool IsCSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

bool IsComment(QByteArrayView line)
{
    return !line.isEmpty() && (line.front() == '#' || line.front() == ';');
}

// Calls visit(line) for each line (without its end) until visit returns
// true. Lines end in LF, CR LF or a lone CR.
template <typename Visitor> void ForEachLine(QByteArrayView file, Visitor visit)
{
    file = WithoutUtf8Bom(file);
    qsizetype start = 0;
    while (start < file.size()) {
        qsizetype end = start;
        while (end < file.size() && file[end] != '\n' && file[end] != '\r')
            ++end;
        if (visit(file.sliced(start, end - start)))
            return;
        if (end < file.size() && file[end] == '\r' && end + 1 < file.size() && file[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

} // namespace

QString StartupFileName(const QString &languageSetting)
{
    return languageSetting.size() < 5 ? DefaultFileName : languageSetting;
}

QString LanguageFilePath(const QString &programFolder, const QString &fileName)
{
    if (fileName.contains(QLatin1Char('/')) || fileName.contains(QChar(0)) ||
        !fileName.endsWith(QLatin1String(".lng"), Qt::CaseInsensitive))
        return QString();
    return programFolder + QLatin1Char('/') + fileName;
}

QString ProgramFolderFile(const QString &programFolder, const QString &languageSetting)
{
    return LanguageFilePath(programFolder, StartupFileName(languageSetting));
}

std::optional<QByteArray> ReadFile(const QString &path)
{
    return ReadRegularFile(path, MaxFileBytes);
}

std::uint32_t ParseTextId(QByteArrayView line)
{
    qsizetype pos = 0;
    while (pos < line.size() && IsCSpace(line[pos]))
        ++pos;
    bool negative = false;
    if (pos < line.size() && (line[pos] == '+' || line[pos] == '-'))
        negative = line[pos++] == '-';
    constexpr std::uint64_t Largest = 0xFFFFFFFFu;
    std::uint64_t value = 0;
    bool overflow = false;
    for (; pos < line.size() && IsDigit(line[pos]); ++pos) {
        value = value * 10 + static_cast<std::uint64_t>(line[pos] - '0');
        if (value > Largest) {
            overflow = true;
            value = Largest;
        }
    }
    // As the C library's strtoul on a 32-bit unsigned long: an overflow
    // gives the largest value whatever the sign.
    if (overflow)
        return static_cast<std::uint32_t>(Largest);
    return negative ? static_cast<std::uint32_t>(0u - static_cast<std::uint32_t>(value))
                    : static_cast<std::uint32_t>(value);
}

QByteArray ReplaceEscapes(QByteArray text)
{
    text.replace("\\n", "\n");
    text.replace("\\r", "\r");
    return text;
}

QByteArray LineText(QByteArrayView line)
{
    static constexpr QByteArrayView LeadingRun = "0123456789: \t";
    qsizetype pos = 0;
    while (pos < line.size() && LeadingRun.contains(line[pos]))
        ++pos;
    return ReplaceEscapes(line.sliced(pos).toByteArray());
}

std::optional<QString> FindText(QByteArrayView file, std::uint32_t id)
{
    std::optional<QByteArray> found;
    ForEachLine(file, [&](QByteArrayView line) {
        if (IsComment(line) || ParseTextId(line) != id)
            return false;
        found = LineText(line);
        return true;
    });
    if (!found)
        return std::nullopt;
    return DecodeText(*found, DetectTextEncoding(file));
}

std::vector<Entry> ParseEntries(QByteArrayView file)
{
    const TextEncoding encoding = DetectTextEncoding(file);
    std::vector<Entry> entries;
    ForEachLine(file, [&](QByteArrayView line) {
        if (!IsComment(line))
            entries.push_back({ParseTextId(line), DecodeText(LineText(line), encoding)});
        return false;
    });
    return entries;
}

} // namespace langfile
