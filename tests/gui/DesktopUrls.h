#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

// Takes the URLs the program hands to the desktop for the usual schemes,
// through Qt's own handler table, and keeps them; the handlers go with it.
// Without one the offscreen platform the tests run on opens nothing and
// answers failure.
class DesktopUrls : public QObject
{
    Q_OBJECT

public:
    DesktopUrls()
    {
        for (const QString &scheme : Schemes())
            QDesktopServices::setUrlHandler(scheme, this, "Take");
    }
    ~DesktopUrls() override
    {
        for (const QString &scheme : Schemes())
            QDesktopServices::unsetUrlHandler(scheme);
    }
    DesktopUrls(const DesktopUrls &) = delete;
    DesktopUrls &operator=(const DesktopUrls &) = delete;

    QList<QUrl> opened;

public slots:
    void Take(const QUrl &url) { opened << url; }

private:
    static QStringList Schemes()
    {
        return {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("mailto"),
                QStringLiteral("file")};
    }
};
