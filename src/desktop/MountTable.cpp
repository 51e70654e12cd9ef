#include "desktop/MountTable.h"

#include <QFile>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace desktop {
namespace {

// mountinfo escapes space, tab, newline and backslash as \ooo.
QString unescaped(const QByteArray &field)
{
    QByteArray text;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int value = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && value < 256) {
                text += static_cast<char>(value);
                i += 3;
                continue;
            }
        }
        text += field[i];
    }
    return QString::fromUtf8(text);
}

} // namespace

QStringList MountPointsOf(const QByteArray &mountinfo, unsigned major, unsigned minor)
{
    const QByteArray device = QByteArray::number(major) + ':' + QByteArray::number(minor);
    QStringList points;
    for (const QByteArray &line : mountinfo.split('\n')) {
        // id parent major:minor root mount-point options ...
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() >= 5 && fields[2] == device)
            points << unescaped(fields[4]);
    }
    return points;
}

QString DriveNodeOf(const QString &libraryText)
{
    const QString prefix = QStringLiteral("drive:");
    const QString address = libraryText.mid(prefix.size());
    // A pseudo-drive ("stdio:...") has no disc to mount.
    return libraryText.startsWith(prefix) && address.startsWith(QLatin1String("/dev/")) ? address : QString();
}

QStringList DiscMountPoints(const QString &node)
{
    struct stat status
    {
    };
    if (node.isEmpty() || ::stat(QFile::encodeName(node).constData(), &status) != 0 ||
        !S_ISBLK(status.st_mode))
        return {};
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return {};
    return MountPointsOf(table.readAll(), ::major(status.st_rdev), ::minor(status.st_rdev));
}

} // namespace desktop
