// An offscreen picture of the main window for people to look at.
#include "AppTestSupport.h"

#include "TestEnvironment.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPixmap>
#include <gtest/gtest.h>

TEST(MainWindowScreenshot, IsWrittenAsPng)
{
    ProgramFolderFixture folder;
    QFile shipped(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/lang/english.lng"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    folder.WriteFile(QStringLiteral("english.lng"), QString::fromUtf8(shipped.readAll()));
    TestBurnDlg dlg;
    dlg.m_strAppDir = folder.ProgramFile();
    dlg.OnInitDialog();
    dlg.AppendLog(QStringLiteral("A log line for the picture"));
    dlg.show();
    dlg.adjustSize();
    const QPixmap picture = dlg.grab();
    ASSERT_FALSE(picture.isNull());
    EXPECT_GE(picture.width(), dlg.minimumSizeHint().width());
    EXPECT_FALSE(dlg.m_btnBurn->text().isEmpty());
    EXPECT_TRUE(dlg.m_btnBurn->HasImage());
    if (!QFontMetrics(dlg.font()).inFont(QLatin1Char('A')))
        GTEST_SKIP() << "no font installed: the picture would show no text";
    const QString path = testenv::artifactDir() + QStringLiteral("/main-window.png");
    ASSERT_TRUE(picture.save(path, "PNG"));
    EXPECT_GT(QFileInfo(path).size(), 1000);
}
