#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

// Lets queued calls from other threads run until pred holds; false when
// timeoutMs passed first.
template <typename Pred> bool WaitFor(Pred pred, int timeoutMs = 5000)
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
