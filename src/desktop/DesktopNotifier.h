#pragma once

#include <QString>

// Sends a notification through the desktop's notification service
// (org.freedesktop.Notifications on the session bus).
namespace desktop {

enum class NoticeOutcome {
    Shown,     // the service took it
    NoService, // no session bus or no service: not an error
    Refused,   // the service answered with an error
    NoAnswer,  // the service did not answer within a second
};

struct NoticeResult
{
    NoticeOutcome outcome = NoticeOutcome::NoService;
    QString problem; // the service's or the bus's words when not Shown
};

// Waits at most a second for the service.
NoticeResult SendNotice(const QString &appName, const QString &summary, const QString &body);

// Whether the end of a job is worth a notification: the user is looking at
// another window, or nobody sits at this run (an unattended run).
enum class WindowFocus { Active, Elsewhere };
enum class Attendance { Attended, Unattended };
bool NoticeWanted(WindowFocus focus, Attendance attendance);

} // namespace desktop
