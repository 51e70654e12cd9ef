#include "platform/GuiThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

bool IsGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

void RunOnGuiThread(std::function<void()> fn, Blocking blocking)
{
    if (!fn)
        return;
    if (IsGuiThread()) {
        fn();
        return;
    }
    const Qt::ConnectionType type =
        blocking == Blocking::Wait ? Qt::BlockingQueuedConnection : Qt::QueuedConnection;
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(fn), type);
}
