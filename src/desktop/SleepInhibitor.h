#pragma once

#include "sysio/UniqueFd.h"

#include <QString>

// A systemd-logind inhibitor lock against sleep, idle and the lid switch
// while the disc is written: taken when constructed, released (its file
// descriptor closed) when destroyed or released. Taking it waits at most a
// second for logind; without logind, or when logind refuses, the object
// holds nothing and Problem() says why.
class SleepInhibitor
{
public:
    // who: the program's name; why: the job, as the desktop shows it.
    SleepInhibitor(const QString &who, const QString &why);
    ~SleepInhibitor() = default;
    SleepInhibitor(const SleepInhibitor &) = delete;
    SleepInhibitor &operator=(const SleepInhibitor &) = delete;

    bool Held() const { return m_lock.valid(); }
    // logind's or the bus's reason when nothing is held; empty otherwise.
    const QString &Problem() const { return m_problem; }
    void Release() { m_lock.reset(); }

private:
    sysio::UniqueFd m_lock;
    QString m_problem;
};
