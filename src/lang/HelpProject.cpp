#include "lang/HelpProject.h"

#include "platform/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <optional>

namespace help {

namespace {

// Sitemaps come from old help tools: upper-case tags, unquoted or
// single-quoted attribute values and character references are all common.
QString ResolveReferences(const QString &text)
{
    static const QRegularExpression reference(
        QStringLiteral("&(#[0-9]+|#[xX][0-9a-fA-F]+|amp|lt|gt|quot|apos);"));
    QString out;
    qsizetype done = 0;
    for (auto it = reference.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += QStringView(text).mid(done, match.capturedStart() - done);
        const QString name = match.captured(1);
        if (name.startsWith(QLatin1String("#x"), Qt::CaseInsensitive))
            out += QChar(char16_t(name.mid(2).toUInt(nullptr, 16)));
        else if (name.startsWith(QLatin1Char('#')))
            out += QChar(char16_t(name.mid(1).toUInt()));
        else
            out += QLatin1Char(name == QLatin1String("amp")    ? '&'
                               : name == QLatin1String("lt")   ? '<'
                               : name == QLatin1String("gt")   ? '>'
                               : name == QLatin1String("quot") ? '"'
                                                               : '\'');
        done = match.capturedEnd();
    }
    out += QStringView(text).mid(done);
    return out;
}

QString Attribute(const QString &attributes, const QString &name)
{
    const QRegularExpression pattern(
        QStringLiteral("\\b%1\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))").arg(name),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(attributes);
    if (!match.hasMatch())
        return {};
    for (int group = 1; group <= 3; ++group) {
        if (match.capturedStart(group) >= 0)
            return ResolveReferences(match.captured(group));
    }
    return {};
}

// The list entries are collected level by level: an opening list starts a
// new level under the entry read last, a closing list hands the level to
// that entry.
class ContentsBuilder
{
public:
    void OpenList() { m_levels.emplace_back(); }
    void CloseList()
    {
        if (m_levels.size() < 2)
            return;
        std::vector<Topic> level = std::move(m_levels.back());
        m_levels.pop_back();
        if (m_levels.back().empty())
            m_levels.back().push_back({}); // a list with no entry before it
        auto &children = m_levels.back().back().children;
        children.insert(children.end(), level.begin(), level.end());
    }
    void Add(Topic topic)
    {
        if (m_levels.empty())
            m_levels.emplace_back();
        m_levels.back().push_back(std::move(topic));
    }
    std::vector<Topic> Finish()
    {
        while (m_levels.size() > 1)
            CloseList();
        return m_levels.empty() ? std::vector<Topic>{} : Dropped(std::move(m_levels.front()));
    }

private:
    static std::vector<Topic> Dropped(std::vector<Topic> topics)
    {
        std::vector<Topic> kept;
        for (Topic &topic : topics) {
            topic.children = Dropped(std::move(topic.children));
            if (!topic.name.isEmpty())
                kept.push_back(std::move(topic));
            else
                kept.insert(kept.end(), topic.children.begin(), topic.children.end());
        }
        return kept;
    }

    std::vector<std::vector<Topic>> m_levels;
};

// Help tools write folder separators both ways.
QString PagePath(QString page)
{
    return page.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QString ReadText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return DecodeText(WithoutUtf8Bom(bytes));
}

} // namespace

std::vector<Topic> ParseContents(const QString &sitemap)
{
    static const QRegularExpression tag(QStringLiteral("<\\s*(/?)\\s*([A-Za-z]+)([^>]*)>"));
    ContentsBuilder builder;
    std::optional<Topic> open; // between <object type="text/sitemap"> and </object>
    for (auto it = tag.globalMatch(sitemap); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const bool closing = !match.captured(1).isEmpty();
        const QString name = match.captured(2).toLower();
        const QString attributes = match.captured(3);
        if (name == QLatin1String("ul")) {
            closing ? builder.CloseList() : builder.OpenList();
        } else if (name == QLatin1String("object")) {
            if (!closing && Attribute(attributes, QStringLiteral("type"))
                                    .compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive) == 0) {
                open = Topic{};
            } else if (closing && open) {
                builder.Add(std::move(*open));
                open.reset();
            }
        } else if (name == QLatin1String("param") && open) {
            const QString param = Attribute(attributes, QStringLiteral("name")).toLower();
            if (param == QLatin1String("name"))
                open->name = Attribute(attributes, QStringLiteral("value"));
            else if (param == QLatin1String("local"))
                open->page = PagePath(Attribute(attributes, QStringLiteral("value")));
        }
    }
    return builder.Finish();
}

Project ReadProject(const QString &folder)
{
    Project project;
    const QDir dir(folder);
    const QStringList projectFiles = dir.entryList({QStringLiteral("*.hhp")}, QDir::Files, QDir::Name);
    if (projectFiles.isEmpty())
        return project;
    QString contentsFile;
    bool inOptions = false;
    const QStringList lines = ReadText(dir.filePath(projectFiles.first())).split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inOptions = line.compare(QLatin1String("[OPTIONS]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inOptions || equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key.compare(QLatin1String("Default topic"), Qt::CaseInsensitive) == 0 && !value.isEmpty())
            project.startPage = PagePath(value);
        else if (key.compare(QLatin1String("Contents file"), Qt::CaseInsensitive) == 0)
            contentsFile = value;
    }
    if (!contentsFile.isEmpty())
        project.contents = ParseContents(ReadText(dir.filePath(contentsFile)));
    return project;
}

} // namespace help
