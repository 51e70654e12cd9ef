#include "log/CShutdownDlg.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Sends a key to the stand-by window once it is showing.
void pressKeyWhenShown(CShutdownDlg &dialog, Qt::Key key)
{
    QTimer::singleShot(200, &dialog, [&dialog, key] {
        EXPECT_EQ(dialog.findChild<QLabel *>("m_stcMessage")->text(), "Shutting down");
        QTest::keyClick(&dialog, key);
    });
}

} // namespace

TEST(CShutdownDlg, ClosesByItselfAfterItsSeconds)
{
    CShutdownDlg dialog;
    dialog.m_nSeconds = 1;
    dialog.m_strMessage = "Shutting down";
    QElapsedTimer timer;
    timer.start();
    dialog.exec();
    EXPECT_GE(timer.elapsed(), 900);
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST(CShutdownDlg, EscapeOrEnterClosesItEarly)
{
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        CShutdownDlg dialog;
        dialog.m_nSeconds = 30;
        dialog.m_strMessage = "Shutting down";
        pressKeyWhenShown(dialog, key);
        QElapsedTimer timer;
        timer.start();
        dialog.exec();
        EXPECT_LT(timer.elapsed(), 5000);
    }
}
