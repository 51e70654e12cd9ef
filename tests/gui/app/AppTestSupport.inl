#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

template <typename Pred>
bool WaitFor(Pred pred, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}
