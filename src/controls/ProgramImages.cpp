#include "controls/ProgramImages.h"

#include <QDirIterator>
#include <QPainter>

static void InitControlsResources()
{
    // The images are compiled into this static library; without this call
    // the linker may drop them from the program.
    Q_INIT_RESOURCE(orvane_controls);
}

namespace programimages {

namespace {

QString ResourcePath(int id)
{
    static const bool initialised = (InitControlsResources(), true);
    (void)initialised;
    const QString prefix = QString::number(id) + QLatin1Char('-');
    QDirIterator it(QStringLiteral(":/icons"));
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileName().startsWith(prefix))
            return path;
    }
    return {};
}

QPixmap Tinted(const QPixmap &shape, const QColor &tint)
{
    QPixmap result(shape.size());
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawPixmap(0, 0, shape);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), tint);
    return result;
}

} // namespace

QPixmap Image(int id, const QColor &tint)
{
    const QString path = ResourcePath(id);
    if (path.isEmpty())
        return {};
    QPixmap image(path);
    if (tint.isValid() && path.contains(QLatin1String("-symbolic")))
        return Tinted(image, tint);
    return image;
}

std::optional<QCursor> Cursor(int id)
{
    if (id == HandCursor)
        return QCursor(Qt::PointingHandCursor);
    return std::nullopt;
}

QIcon WindowIcon()
{
    QIcon icon;
    icon.addPixmap(Image(AppIcon));
    return icon;
}

} // namespace programimages
