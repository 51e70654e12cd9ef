#include "platform/FileRegistryStore.h"

#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <utility>
#include <vector>

namespace {

struct HiveKey
{
    QString name;
    std::vector<std::pair<QString, QString>> values; // name, data as stored (escaped)
};

using Hive = std::vector<HiveKey>;

const QString Header =
    QStringLiteral("# Machine registry of Orvane Burn: keys and values kept beside the program.");

QString Escape(const QString &text, QStringView special)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (ch == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else {
            if (ch == QLatin1Char('\\') || special.contains(ch))
                out += QLatin1Char('\\');
            out += ch;
        }
    }
    return out;
}

QString Unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\') || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar next = text[++i];
        out += next == QLatin1Char('n') ? QChar(u'\n') : next == QLatin1Char('r') ? QChar(u'\r') : next;
    }
    return out;
}

// The position of the first "=" not preceded by an escaping backslash.
qsizetype NameEnd(QStringView line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == QLatin1Char('\\'))
            ++i;
        else if (line[i] == QLatin1Char('='))
            return i;
    }
    return -1;
}

Hive ParseHive(const QString &text)
{
    Hive hive;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            hive.push_back({line.mid(1, line.size() - 2), {}});
            continue;
        }
        const qsizetype equals = NameEnd(line);
        if (equals < 0 || hive.empty())
            continue;
        hive.back().values.emplace_back(Unescape(QStringView(line).left(equals)), line.mid(equals + 1));
    }
    return hive;
}

QByteArray SerializeHive(const Hive &hive)
{
    QString text = Header + QLatin1Char('\n');
    for (const HiveKey &key : hive) {
        text += QLatin1Char('[') + key.name + QLatin1String("]\n");
        for (const auto &[name, data] : key.values)
            text += Escape(name, u"=") + QLatin1Char('=') + data + QLatin1Char('\n');
    }
    return text.toUtf8();
}

HiveKey *FindKey(Hive &hive, const QString &name)
{
    for (HiveKey &key : hive) {
        if (key.name.compare(name, Qt::CaseInsensitive) == 0)
            return &key;
    }
    return nullptr;
}

bool IsRelativeMarker(QStringView stored)
{
    return stored == QLatin1String(".") || stored.startsWith(QLatin1String("./"));
}

} // namespace

FileRegistryStore::FileRegistryStore(QString filePath, QString programFolder)
    : m_filePath(std::move(filePath)), m_programFolder(QDir::cleanPath(programFolder))
{
}

namespace {

Hive ReadHive(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseHive(QString::fromUtf8(file.readAll()));
}

bool WriteHive(const QString &path, const Hive &hive)
{
    // A reader never sees half a hive, and a failed write keeps the old one.
    return WriteFileAtomically(path, SerializeHive(hive));
}

// A folder inside the program folder is kept relative to it ("." or
// "./sub"); other text that happens to look like that is escaped.
QString ToStored(const QString &data, const QString &programFolder)
{
    if (!programFolder.isEmpty() && QDir::isAbsolutePath(data)) {
        const QString cleaned = QDir::cleanPath(data);
        if (cleaned == programFolder)
            return QStringLiteral(".");
        if (cleaned.startsWith(programFolder + QLatin1Char('/')) && programFolder != QLatin1String("/"))
            return QLatin1Char('.') + Escape(cleaned.mid(programFolder.size()), {});
    }
    const QString escaped = Escape(data, {});
    return IsRelativeMarker(escaped) ? QLatin1Char('\\') + escaped : escaped;
}

QString FromStored(const QString &stored, const QString &programFolder)
{
    if (IsRelativeMarker(stored))
        return programFolder + Unescape(QStringView(stored).mid(1));
    return Unescape(stored);
}

} // namespace

std::optional<QString> FileRegistryStore::ReadString(const QString &key, const QString &valueName) const
{
    const std::lock_guard lock(m_mutex);
    Hive hive = ReadHive(m_filePath);
    const HiveKey *found = FindKey(hive, key);
    if (!found)
        return std::nullopt;
    for (const auto &[name, data] : found->values) {
        if (name.compare(valueName, Qt::CaseInsensitive) == 0)
            return FromStored(data, m_programFolder);
    }
    return std::nullopt;
}

bool FileRegistryStore::KeyExists(const QString &key) const
{
    const std::lock_guard lock(m_mutex);
    Hive hive = ReadHive(m_filePath);
    return FindKey(hive, key) != nullptr;
}

bool FileRegistryStore::WriteString(const QString &key, const QString &valueName, const QString &data)
{
    const std::lock_guard lock(m_mutex);
    Hive hive = ReadHive(m_filePath);
    HiveKey *found = FindKey(hive, key);
    if (!found)
        return false;
    const QString stored = ToStored(data, m_programFolder);
    for (auto &[name, value] : found->values) {
        if (name.compare(valueName, Qt::CaseInsensitive) == 0) {
            value = stored;
            return WriteHive(m_filePath, hive);
        }
    }
    found->values.emplace_back(valueName, stored);
    return WriteHive(m_filePath, hive);
}

void FileRegistryStore::CreateKey(const QString &key)
{
    const std::lock_guard lock(m_mutex);
    Hive hive = ReadHive(m_filePath);
    if (FindKey(hive, key))
        return;
    // Key names hold no line breaks: the hive has one key per line.
    QString name = key;
    name.remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    hive.push_back({name, {}});
    WriteHive(m_filePath, hive);
}
