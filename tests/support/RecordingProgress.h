#pragma once

#include "jobs/ports/IProgressPort.h"

#include <QString>
#include <QStringList>

#include <mutex>

// What a test double was asked, one "Name(arguments)" line a call, in order.
// Safe from the job threads.
class CallRecord
{
public:
    void Add(const QString &name, const QString &arguments = QString())
    {
        std::lock_guard lock(m_mutex);
        m_calls << name + QLatin1Char('(') + arguments + QLatin1Char(')');
    }
    // A copy that shares no buffer with m_calls: an implicitly shared copy
    // would detach outside the lock while a job thread appends.
    QStringList Calls() const
    {
        std::lock_guard lock(m_mutex);
        QStringList copy;
        copy.reserve(m_calls.size());
        for (const QString &call : m_calls)
            copy << call;
        return copy;
    }
    // The arguments of every call of this name, in order.
    QStringList Args(const QString &name) const
    {
        QStringList found;
        const QString prefix = name + QLatin1Char('(');
        const QStringList calls = Calls();
        for (const QString &call : calls)
            if (call.startsWith(prefix))
                found << call.mid(prefix.size()).chopped(1);
        return found;
    }
    // The arguments of the last call of this name; empty without one.
    QString Last(const QString &name) const
    {
        const QStringList found = Args(name);
        return found.isEmpty() ? QString() : found.last();
    }

private:
    mutable std::mutex m_mutex;
    QStringList m_calls;
};

// Every display change, as "SetPercentText(0 %)" and so on.
class RecordingProgress : public IProgressPort, public CallRecord
{
public:
    void SetProgressRange(int low, int high) override
    {
        Add(QStringLiteral("SetProgressRange"), QStringLiteral("%1,%2").arg(low).arg(high));
    }
    void SetProgressPos(int position) override
    {
        Add(QStringLiteral("SetProgressPos"), QString::number(position));
    }
    void SetPercentText(const QString &text) override { Add(QStringLiteral("SetPercentText"), text); }
    void SetTimeLeftText(const QString &text) override { Add(QStringLiteral("SetTimeLeftText"), text); }
    void SetTimeTotalText(const QString &text) override { Add(QStringLiteral("SetTimeTotalText"), text); }
    void SetWindowTitleText(const QString &title) override
    {
        Add(QStringLiteral("SetWindowTitleText"), title);
    }
};
