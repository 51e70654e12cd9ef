// The window's own message box without a display: it tells standard error
// and answers its default button at once.
#include "app/CBurnDlg.h"
#include "gui/WaitFor.h"

#include "platform/MemoryRegistryStore.h"
#include "platform/MessageBoxType.h"
#include "platform/WindowMessageBox.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(WindowMessageBox, WithoutADisplayItTellsStandardErrorAndAnswersItsDefaultButton)
{
    ASSERT_FALSE(HasDisplay());
    MemoryRegistryStore registry;
    CBurnDlg dlg(registry);
    const std::pair<unsigned, int> cases[] = {
        {mb::Ok | mb::IconStop, mb::IdOk},
        {mb::YesNo | mb::IconQuestion, mb::IdYes},
        {mb::YesNo | mb::IconWarning | mb::DefaultButton2, mb::IdNo},
    };
    for (const auto &[type, answer] : cases) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(dlg.ShowMessageBox(QStringLiteral("Overwrite the disc?"), QStringLiteral("Question"), type),
                  answer)
            << type;
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("Question"), std::string::npos) << type;
        EXPECT_NE(err.find("Overwrite the disc?"), std::string::npos) << type;
    }
}

TEST(WindowMessageBox, AWorkerThreadGetsTheAnswerFromTheGuiThread)
{
    MemoryRegistryStore registry;
    CBurnDlg dlg(registry);
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

} // namespace
