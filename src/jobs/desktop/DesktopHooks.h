#pragma once

#include "desktop/DesktopNotifier.h"
#include "desktop/SleepInhibitor.h"
#include "jobs/ports/IJobWindow.h"
#include "reclib_api.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

// What a recording job asks of the desktop, each in one call from the job's
// own steps, each logging its own problem in one line: no sleep while the
// disc is written, the unmount of a disc the desktop mounted, a notice at
// the end. None waits more than a second or two for a service.
namespace jobs {

// Holds off sleep from its construction (the point where the disc starts to
// change) to its end, on every path out of the scope that holds it.
class NoSleepWhileWriting
{
public:
    NoSleepWhileWriting(IJobWindow &log, const QString &why);
    // Before the job shows its result: a box left open must not keep the
    // machine awake.
    void Release() { m_inhibitor.Release(); }

private:
    SleepInhibitor m_inhibitor;
};

// Unmounts the disc in the recorder when the desktop has mounted it, after
// a log line. Empty when the disc is not mounted (any more); otherwise the
// reason the job stops for, naming the mount point, for the caller to report.
QString UnmountDesktopDisc(IJobWindow &log, const DeviceInfo &device);
// The same for the drive at node, with the mount points of its disc as
// mountPoints reads them (before and after the unmount).
QString UnmountMountedDisc(IJobWindow &log, const QString &node,
                           const std::function<QStringList()> &mountPoints);

// The program window's focus, asked on the GUI thread.
desktop::WindowFocus ProgramWindowFocus();
// The command-line run says that nobody sits at it.
void SetRunAttendance(desktop::Attendance attendance);

// At the end of a burn or an erase: a desktop notification with the result,
// the label and the time taken, when nobody is looking at the window. A
// missing service is not mentioned; any other failure is one log line.
void NoticeJobEnd(IJobWindow &log, const QString &result, const QString &label, int64_t seconds,
                  desktop::WindowFocus focus = ProgramWindowFocus());

} // namespace jobs
