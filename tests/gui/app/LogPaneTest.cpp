// The log pane, the log files and the Save Log and Clear Log buttons.
#include "gui/AnsweredWindow.h"
#include "gui/ProgramFolderFixture.h"
#include "gui/WaitFor.h"

#include "platform/CFilePicker.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMap>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

class LogPaneTest : public ::testing::Test
{
protected:
    LogPaneTest()
    {
        m_dlg.m_strAppDir = m_folder.ProgramFile();
        m_dlg.OnInitDialog();
        m_dlg.OnClearLog();
    }

    ProgramFolderFixture m_folder;
    AnsweredWindow m_dlg{m_folder.Registry()};
};

TEST_F(LogPaneTest, ConcurrentAppendsLoseNothingAndKeepEachThreadsOrder)
{
    constexpr int Lines = 400;
    std::vector<std::thread> workers;
    for (const char *name : {"a", "b", "c"})
        workers.emplace_back([this, name] {
            for (int n = 0; n < Lines; ++n)
                m_dlg.AppendLogLines(
                    QStringLiteral("%1 %2\r\n%1 %2 continued").arg(QLatin1String(name)).arg(n));
        });
    ASSERT_TRUE(WaitFor([this] { return m_dlg.m_edtLog->document()->blockCount() >= 6 * Lines; }));
    for (std::thread &worker : workers)
        worker.join();
    const QStringList lines = m_dlg.LogLines();
    ASSERT_EQ(lines.size(), 6 * Lines);
    QMap<QString, int> next;
    for (int i = 0; i < lines.size(); i += 2) {
        const QString name = lines[i].section(QLatin1Char(' '), 0, 0);
        EXPECT_EQ(lines[i], QStringLiteral("%1 %2").arg(name).arg(next[name]++));
        EXPECT_EQ(lines[i + 1], lines[i] + QStringLiteral(" continued")) << "an append is never split";
    }
}

// A worker's appends reach the pane in batches; each batch must break lines
// exactly as the same appends made one by one on the GUI thread.
TEST_F(LogPaneTest, QueuedAppendsBreakLinesLikeDirectOnes)
{
    struct Case
    {
        QStringList texts;
        QString onEmptyPane;
        QString afterALine;
    };
    const std::vector<Case> cases = {
        {{"first", "second\r\nthird", "", "fifth"},
         "first\nsecond\nthird\n\nfifth",
         "x\nfirst\nsecond\nthird\n\nfifth"},
        {{"", "a", "", "b"}, "a\n\nb", "x\n\na\n\nb"},
        {{"", ""}, "", "x\n\n"},
        {{"a\r\nb", "\r", "c"}, "a\nb\n\nc", "x\na\nb\n\nc"},
        {{"\r\n", "y"}, "\n\ny", "x\n\n\ny"},
    };
    for (const Case &c : cases) {
        for (const bool fromWorker : {false, true}) {
            for (const QString &start : {QString(), QStringLiteral("x")}) {
                m_dlg.OnClearLog();
                if (!start.isEmpty())
                    m_dlg.AppendLog(start);
                auto appendAll = [this, &c] {
                    for (const QString &text : c.texts)
                        m_dlg.AppendLogLines(text);
                };
                if (fromWorker)
                    std::thread(appendAll).join();
                else
                    appendAll();
                EXPECT_EQ(m_dlg.GetLogText(), start.isEmpty() ? c.onEmptyPane : c.afterALine)
                    << c.texts.join(QLatin1Char('|')).toStdString() << (fromWorker ? " from a worker" : "");
            }
        }
    }
}

TEST_F(LogPaneTest, TheGuiThreadActsAfterWhatAWorkerQueuedBefore)
{
    std::thread([this] { m_dlg.AppendLog(QStringLiteral("worker")); }).join();
    m_dlg.AppendLog(QStringLiteral("gui"));
    EXPECT_EQ(m_dlg.m_edtLog->document()->blockCount(), 2);
    EXPECT_EQ(m_dlg.GetLogText(), QStringLiteral("worker\ngui"));

    std::thread([this] { m_dlg.AppendLog(QStringLiteral("cleared too")); }).join();
    QTest::mouseClick(m_dlg.m_btnClearLog, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_dlg.m_edtLog->document()->isEmpty());

    // A worker's own clear drops its earlier lines.
    std::thread([this] {
        m_dlg.AppendLog(QStringLiteral("old"));
        m_dlg.OnClearLog();
        m_dlg.AppendLog(QStringLiteral("new"));
    }).join();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_dlg.m_edtLog->document()->toPlainText(), QStringLiteral("new"));
}

TEST_F(LogPaneTest, SaveLogProposesTheLabelAndWritesTheChosenFileUnlessCancelled)
{
    const QString folder = testenv::makeTempDir(QStringLiteral("save"));
    QDir::setCurrent(folder);
    m_dlg.m_strVolume = QStringLiteral("UNDEFINED");
    m_dlg.AppendLog(QStringLiteral("saved line"));
    const auto answerFileDialog = [](const QString &fileName) {
        QTimer::singleShot(50, [fileName] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (dialog == nullptr || dialog->objectName() != QLatin1String(CFilePicker::DialogObjectName()))
                return;
            if (fileName.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(fileName);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    };
    answerFileDialog(QString());
    QTest::mouseClick(m_dlg.m_btnSaveLog, Qt::LeftButton);
    EXPECT_EQ(m_dlg.m_edtStatus->text(), QStringLiteral("Break..."));
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());

    const QString target = folder + QStringLiteral("/chosen.log");
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content that is longer than the new one will be, surely, absolutely");
    old.close();
    QString proposed;
    QTimer::singleShot(20, [&proposed] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()))
            proposed = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
    });
    answerFileDialog(target);
    QTest::mouseClick(m_dlg.m_btnSaveLog, Qt::LeftButton);
    EXPECT_EQ(proposed, QStringLiteral("UNDEFINED.log"));
    QFile saved(target);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(QString::fromUtf8(bytes).section(QLatin1Char('\n'), 0, 0),
              m_dlg.GetText(564).section(QLatin1Char('\n'), 0, 0));
    EXPECT_TRUE(bytes.contains("\nsaved line\n"));
    EXPECT_FALSE(bytes.contains("old content"));
    EXPECT_EQ(m_dlg.m_edtStatus->text(), QStringLiteral("Saving Log..."));
}

} // namespace
