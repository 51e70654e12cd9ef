// The window's own message box without a display: it tells standard error
// and answers its default button at once.
#include "AppTestSupport.h"

#include "platform/MessageBoxType.h"
#include "platform/WindowMessageBox.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

struct DefaultCase
{
    unsigned type;
    int answer;
};

class DefaultAnswerTest : public ::testing::TestWithParam<DefaultCase>
{
};

TEST_P(DefaultAnswerTest, HeadlessBoxAnswersItsDefaultButton)
{
    ASSERT_FALSE(HasDisplay());
    CBurnDlg dlg;
    ::testing::internal::CaptureStderr();
    const int answer = dlg.ShowMessageBox(QStringLiteral("Overwrite the disc?"), QStringLiteral("Question"),
                                          GetParam().type);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, GetParam().answer);
    EXPECT_NE(err.find("Question"), std::string::npos);
    EXPECT_NE(err.find("Overwrite the disc?"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Types, DefaultAnswerTest,
    ::testing::Values(DefaultCase{mb::Ok | mb::IconStop, mb::IdOk}, DefaultCase{mb::OkCancel, mb::IdOk},
                      DefaultCase{mb::OkCancel | mb::DefaultButton2, mb::IdCancel},
                      DefaultCase{mb::YesNo | mb::IconQuestion, mb::IdYes},
                      DefaultCase{mb::YesNo | mb::IconWarning | mb::DefaultButton2, mb::IdNo},
                      DefaultCase{mb::YesNoCancel | mb::DefaultButton2, mb::IdNo},
                      DefaultCase{mb::Ok | mb::DefaultButton2, mb::IdOk}));

TEST(WindowMessageBox, AWorkerThreadGetsTheAnswerFromTheGuiThread)
{
    CBurnDlg dlg;
    int answer = 0;
    bool done = false;
    std::thread worker([&] {
        answer = dlg.ShowMessageBox(QStringLiteral("text"), QStringLiteral("caption"),
                                    mb::YesNo | mb::DefaultButton2);
        done = true;
    });
    EXPECT_TRUE(WaitFor([&done] { return done; }));
    worker.join();
    EXPECT_EQ(answer, mb::IdNo);
}

TEST(WindowMessageBox, AbortIsSetOnlyWhenTheUserSaysYes)
{
    ProgramFolderFixture folder;
    TestBurnDlg dlg;
    dlg.m_strAppDir = folder.ProgramFile();
    dlg.OnInitDialog();
    dlg.m_nAnswer = mb::IdNo;
    dlg.OnAbort();
    EXPECT_EQ(dlg.m_bAbort.load(), 0);
    dlg.m_nAnswer = mb::IdYes;
    dlg.OnAbort();
    EXPECT_EQ(dlg.m_bAbort.load(), 1);
    const ShownBox last = dlg.Boxes().back();
    EXPECT_EQ(last.text, QStringLiteral("Stop the burn?"));
    EXPECT_EQ(last.caption, QStringLiteral("Abort"));
}

} // namespace
