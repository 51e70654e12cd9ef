#include "jobs/desktop/DesktopHooks.h"

#include "TextIds.h"
#include "desktop/DiscUnmounter.h"
#include "desktop/MountTable.h"
#include "platform/TextFormat.h"
#include "version/ProductVersion.h"

#include <QGuiApplication>

#include <atomic>
#include <cstring>

namespace jobs {
namespace {

const QString ProgramName = QStringLiteral(ORVANE_PRODUCT_NAME);

std::atomic<desktop::Attendance> g_attendance{desktop::Attendance::Attended};

QString LibraryText(const DeviceInfo &device)
{
    return QString::fromUtf8(device.libText,
                             static_cast<qsizetype>(strnlen(device.libText, sizeof device.libText)));
}

} // namespace

NoSleepWhileWriting::NoSleepWhileWriting(IJobWindow &log, const QString &why) : m_inhibitor(ProgramName, why)
{
    if (!m_inhibitor.Held())
        log.AppendLog(FormatText(log.GetText(textid::SleepNotHeldOff), {m_inhibitor.Problem()}));
}

QString UnmountDesktopDisc(IJobWindow &log, const DeviceInfo &device)
{
    const QString node = desktop::DriveNodeOf(LibraryText(device));
    return UnmountMountedDisc(log, node, [&node] { return desktop::DiscMountPoints(node); });
}

QString UnmountMountedDisc(IJobWindow &log, const QString &node,
                           const std::function<QStringList()> &mountPoints)
{
    const QStringList mounts = mountPoints();
    if (mounts.isEmpty())
        return {};
    log.AppendLog(FormatText(log.GetText(textid::UnmountingDisc), {mounts.constFirst()}));
    const desktop::UnmountResult result = desktop::UnmountDisc(node);
    // Accepted is not enough: the disc must be gone from the mount table.
    const QStringList left = result.unmounted ? mountPoints() : mounts;
    if (left.isEmpty())
        return {};
    const QString why = result.unmounted ? QStringLiteral("still mounted afterwards") : result.problem;
    return FormatText(log.GetText(textid::UnmountRefused), {left.constFirst(), why});
}

desktop::WindowFocus ProgramWindowFocus()
{
    // Read where the job is, not marshalled: the GUI thread may be waiting
    // for this job without serving events, and the state is one enum that
    // Qt sets when the window gains or loses the focus.
    return QGuiApplication::applicationState() == Qt::ApplicationActive ? desktop::WindowFocus::Active
                                                                        : desktop::WindowFocus::Elsewhere;
}

void SetRunAttendance(desktop::Attendance attendance)
{
    g_attendance = attendance;
}

void NoticeJobEnd(IJobWindow &log, const QString &result, const QString &label, int64_t seconds,
                  desktop::WindowFocus focus)
{
    if (!desktop::NoticeWanted(focus, g_attendance.load()))
        return;
    const QString body =
        FormatText(log.GetText(textid::NoticeBody), {label, FormatArg(static_cast<long long>(seconds / 3600)),
                                                     FormatArg(static_cast<long long>(seconds / 60 % 60)),
                                                     FormatArg(static_cast<long long>(seconds % 60))});
    const desktop::NoticeResult sent = desktop::SendNotice(ProgramName, result, body);
    if (sent.outcome == desktop::NoticeOutcome::Refused || sent.outcome == desktop::NoticeOutcome::NoAnswer)
        log.AppendLog(FormatText(log.GetText(textid::NoticeNotSent), {sent.problem}));
}

} // namespace jobs
