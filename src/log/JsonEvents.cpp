#include "log/JsonEvents.h"

#include "reclib_api.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace jsonevents {
namespace {

QByteArray Line(QJsonObject object, const char *event)
{
    object.insert(QStringLiteral("event"), QString::fromLatin1(event));
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace

QByteArray LogLine(const QString &text)
{
    return Line({{QStringLiteral("text"), text}}, "log");
}

QByteArray ChecksumOf(const QString &line)
{
    static const QRegularExpression checksum(QRegularExpression::escape(QStringLiteral(SHA256_LOG_PREFIX)) +
                                             QStringLiteral("([0-9a-f]{64}) \\((\\d+) sectors\\)"));
    const QRegularExpressionMatch match = checksum.match(line);
    if (!match.hasMatch())
        return {};
    return Line({{QStringLiteral("sha256"), match.captured(1)},
                 {QStringLiteral("sectors"), match.captured(2).toLongLong()}},
                "checksum");
}

QByteArray Phase(const QString &phase)
{
    return Line({{QStringLiteral("phase"), phase}}, "phase");
}

QByteArray Progress(const QString &phase, int percent)
{
    return Line({{QStringLiteral("phase"), phase}, {QStringLiteral("percent"), percent}}, "progress");
}

QByteArray End(int status, const QString &reason)
{
    return Line({{QStringLiteral("status"), status}, {QStringLiteral("reason"), reason}}, "end");
}

} // namespace jsonevents
