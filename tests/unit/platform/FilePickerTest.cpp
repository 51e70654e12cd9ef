#include "platform/CFilePicker.h"

#include "TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using namespace Qt::StringLiterals;

// Polls for the picker's modal dialog and hands it to answer; gives up after
// a few seconds so a dialog that never opens cannot hang the test.
void AnswerDialog(std::function<void(QFileDialog &)> answer)
{
    auto *timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, answer] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (dialog && dialog->objectName() == QLatin1String(CFilePicker::DialogObjectName())) {
            timer->deleteLater();
            timer->stop();
            answer(*dialog);
        } else if (++*tries > 250) {
            timer->deleteLater();
            timer->stop();
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
        }
    });
    timer->start(20);
}

TEST(CFilePicker, ImageDialogAsksBeforeOverwritingAndCancelKeepsTheInitialName)
{
    CFilePicker image(CFilePicker::Save, QString(), QString(), CFilePicker::OverwritePrompt,
                      CFilePicker::ImageFilters(), nullptr);
    bool confirmsOverwrite = false;
    AnswerDialog([&](QFileDialog &dialog) {
        confirmsOverwrite = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
        dialog.reject();
    });
    EXPECT_EQ(image.Run(), CFilePicker::NotConfirmed);
    EXPECT_TRUE(confirmsOverwrite);

    CFilePicker wave(CFilePicker::Open, QString(), u"*.wav"_s, 0, CFilePicker::WaveFilters(), nullptr);
    QString nameSeen = u"unset"_s;
    AnswerDialog([&](QFileDialog &dialog) {
        nameSeen = dialog.findChild<QLineEdit *>(u"fileNameEdit"_s)->text();
        dialog.reject();
    });
    EXPECT_EQ(wave.Run(), CFilePicker::NotConfirmed);
    EXPECT_EQ(wave.GetPath(), u"*.wav"_s);
    EXPECT_TRUE(nameSeen.isEmpty()) << "the pattern is the filter's business, not a file name";
}

TEST(CFilePicker, FolderBrowserStartsAtTheGivenFolder)
{
    const QString folder = testenv::makeTempDir(u"browse"_s);
    QDir().mkpath(folder + u"/VIDEO_TS"_s);
    CFilePicker picker;
    QString startedIn;
    AnswerDialog([&](QFileDialog &dialog) {
        startedIn = dialog.directory().absolutePath();
        QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
    });
    EXPECT_EQ(picker.BrowseFolder(u"Source"_s, folder, 0x49, nullptr), CFilePicker::Confirmed);
    EXPECT_EQ(startedIn, folder);
    EXPECT_EQ(picker.GetFolder(), folder);
}

} // namespace
