// The sleep lock, the notice at the end and the unmount against fake
// logind, notification and UDisks2 services on a private bus. Qt keeps a
// process's first system and session bus, so each test sets up one bus and
// switches the fakes' answers on it.
#include "PrivateSystemBus.h"
#include "RecordingJobWindow.h"
#include "TextIds.h"
#include "jobs/desktop/DesktopHooks.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using Fake = PrivateSystemBus::Fake;

void UseTexts(RecordingJobWindow &window)
{
    window.texts = {{textid::SleepNotHeldOff, u"no sleep lock (%s)"_s},
                    {textid::UnmountingDisc, u"unmounting %s"_s},
                    {textid::UnmountRefused, u"still mounted at %s (%s)"_s},
                    {textid::NoticeNotSent, u"notice not sent: %s"_s},
                    {textid::NoticeBody, u"%s - %d h %d min %d s"_s}};
}

TEST(SleepLock, HeldWhileWritingAndReleasedOnEveryWayOut)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.IsReady());
    RecordingJobWindow window;
    UseTexts(window);
    const QString taken =
        u"Inhibit sleep:idle:handle-lid-switch|Orvane Burn|Burning the disc \"HOLIDAY\"|block"_s;
    {
        const jobs::NoSleepWhileWriting lock(window, u"Burning the disc \"HOLIDAY\""_s);
        ASSERT_TRUE(bus.WaitForLine(Fake::Logind, taken, 2000));
        EXPECT_FALSE(bus.InhibitLines().contains(u"Released"_s)); // held, not only asked for
    }
    EXPECT_TRUE(bus.WaitForLine(Fake::Logind, u"Released"_s, 2000));
    // Release before the scope ends: the result box is shown unlocked.
    jobs::NoSleepWhileWriting lock(window, u"Erasing the disc"_s);
    lock.Release();
    for (int i = 0; i < 100 && bus.InhibitLines().count(u"Released"_s) < 2; ++i)
        QThread::msleep(20);
    EXPECT_EQ(bus.InhibitLines().count(u"Released"_s), 2);
    EXPECT_TRUE(window.log.isEmpty());
}

void ExpectOneQuickLine(const std::function<void()> &take, RecordingJobWindow &window, const QString &why)
{
    QElapsedTimer timer;
    timer.start();
    take();
    EXPECT_LT(timer.elapsed(), 1500);
    ASSERT_EQ(window.log.size(), 1);
    EXPECT_TRUE(window.log[0].startsWith(u"no sleep lock ("_s) && window.log[0].contains(why))
        << window.log[0].toStdString();
}

TEST(SleepLock, RefusedIsOneLineAndTheJobGoesOn)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.IsReady());
    bus.SwitchOn(u"refuse"_s);
    RecordingJobWindow window;
    UseTexts(window);
    ExpectOneQuickLine([&window] { const jobs::NoSleepWhileWriting lock(window, u"Erasing the disc"_s); },
                       window, u"refused by test"_s);
}

TEST(SleepLock, WithoutLogindIsOneLine)
{
    // The test environment's system bus address has nobody behind it.
    RecordingJobWindow window;
    UseTexts(window);
    ExpectOneQuickLine([&window] { const jobs::NoSleepWhileWriting lock(window, u"Erasing the disc"_s); },
                       window, QString());
}

struct NoticeCase
{
    desktop::WindowFocus focus;
    desktop::Attendance attendance;
    QString fakeSwitch; // empty: the service shows it
    bool sent;
    bool logged;
};

TEST(EndNotice, SentOnlyWhenNobodyLooksAndItsFailuresAreOneLine)
{
    using enum desktop::WindowFocus;
    using enum desktop::Attendance;
    const NoticeCase cases[] = {
        {Active, Attended, {}, false, false},
        {Elsewhere, Attended, {}, true, false},
        {Active, Unattended, {}, true, false},
        {Elsewhere, Attended, u"notify-error"_s, true, true},
        {Elsewhere, Attended, u"notify-silent"_s, true, true}, // waits a second at most
    };
    PrivateSystemBus bus(DesktopFakes::Yes);
    ASSERT_TRUE(bus.IsReady());
    for (const NoticeCase &test : cases) {
        if (!test.fakeSwitch.isEmpty())
            bus.SwitchOn(test.fakeSwitch);
        jobs::SetRunAttendance(test.attendance);
        RecordingJobWindow window;
        UseTexts(window);
        const QString label = u"LABEL %1"_s.arg(&test - cases);
        QElapsedTimer timer;
        timer.start();
        jobs::NoticeJobEnd(window, u"Burn finished"_s, label, 3725, test.focus);
        EXPECT_LT(timer.elapsed(), 1500) << test.fakeSwitch.toStdString();
        const QString sent = u"Notify Orvane Burn|Burn finished|%1 - 1 h 2 min 5 s"_s.arg(label);
        EXPECT_EQ(bus.WaitForLine(Fake::Desktop, sent, test.sent ? 2000 : 100), test.sent)
            << label.toStdString();
        EXPECT_EQ(window.log.size(), test.logged ? 1 : 0) << window.log.join('\n').toStdString();
        if (!test.fakeSwitch.isEmpty())
            bus.SwitchOff(test.fakeSwitch);
    }
}

struct UnmountCase
{
    QStringList before;
    QStringList after;
    bool refuse;
    bool asked;
    QString reason;
};

TEST(DesktopMount, UnmountedThroughUDisksBeforeTheDiscChangesOrTheJobStops)
{
    const QString mount = u"/run/media/anna/DVD VIDEO"_s;
    const UnmountCase cases[] = {
        {{}, {}, false, false, {}},
        {{mount}, {}, false, true, {}},
        {{mount}, {mount}, true, true, u"still mounted at %1 (target is busy)"_s.arg(mount)},
        {{mount}, {mount}, false, true, u"still mounted at %1 (still mounted afterwards)"_s.arg(mount)},
    };
    PrivateSystemBus bus(DesktopFakes::Yes);
    ASSERT_TRUE(bus.IsReady());
    for (const UnmountCase &test : cases) {
        test.refuse ? bus.SwitchOn(u"unmount-refuse"_s) : bus.SwitchOff(u"unmount-refuse"_s);
        const qsizetype calls = bus.DesktopLines().size();
        RecordingJobWindow window;
        UseTexts(window);
        int reads = 0;
        const QString reason = jobs::UnmountMountedDisc(
            window, u"/dev/sr0"_s, [&] { return reads++ == 0 ? test.before : test.after; });
        EXPECT_EQ(reason, test.reason);
        EXPECT_EQ(bus.DesktopLines().size() - calls, test.asked ? 1 : 0);
        if (test.asked) {
            EXPECT_EQ(bus.DesktopLines().constLast(),
                      u"Unmount /org/freedesktop/UDisks2/block_devices/sr0"_s);
            EXPECT_EQ(window.log, QStringList{u"unmounting "_s + mount});
        }
    }
}

} // namespace
