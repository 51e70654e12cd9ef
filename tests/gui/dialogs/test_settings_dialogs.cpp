// The three settings dialogs as the user drives them: defaults, Reset, what
// survives Cancel, the limit check on OK and the Audio switch.

#include "DialogFixture.h"

#include "controls/CIconButton.h"
#include "settings/CAudioDlg.h"
#include "settings/CFsFlagsDlg.h"
#include "settings/COtherSettingsDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

template <typename T> T *Child(QWidget &dialog, const char *name)
{
    T *child = dialog.findChild<T *>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Click(QWidget &dialog, const char *name)
{
    Child<QAbstractButton>(dialog, name)->click();
}

using FsFlagsDialog = DialogFixture;

TEST_F(FsFlagsDialog, OpensWithTheDvdDefaultsAndCdvdAddsMode2)
{
    CFsFlagsDlg dialog(&m_texts);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), m_texts.GetText(808));
    EXPECT_TRUE(Child<QCheckBox>(dialog, "m_btnUdf")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(dialog, "m_btnIso9660")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(dialog, "m_btnJoliet")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(dialog, "m_btnMode2")->isChecked());
    // Template captions that no text replaces.
    EXPECT_EQ(CaptionOf(dialog, "m_btnDvd"), QStringLiteral("&DVD"));
    EXPECT_EQ(CaptionOf(dialog, "m_btnCdvd"), QStringLiteral("&cDVD"));
    EXPECT_EQ(CaptionOf(dialog, "m_btnCancel"), m_texts.GetText(761));

    Child<QCheckBox>(dialog, "m_btnJoliet")->setChecked(true);
    Click(dialog, "m_btnCdvd");
    EXPECT_TRUE(Child<QCheckBox>(dialog, "m_btnMode2")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(dialog, "m_btnJoliet")->isChecked());
    EXPECT_EQ(dialog.GetFsFlags(), 0x1A); // the defaults go straight to the states
    Child<QCheckBox>(dialog, "m_btnJoliet")->setChecked(true);
    Click(dialog, "m_btnOk");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_bChanged, 1);
    EXPECT_EQ(dialog.GetFsFlags(), 0x1B);
}

TEST_F(FsFlagsDialog, CancelKeepsTheStatesAndSetsNothing)
{
    CFsFlagsDlg dialog(&m_texts);
    dialog.show();
    Child<QCheckBox>(dialog, "m_btnJoliet")->setChecked(true);
    Click(dialog, "m_btnCancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.m_bChanged, 0);
    EXPECT_EQ(dialog.GetFsFlags(), 0x18);
    dialog.show(); // opens again with the kept states
    EXPECT_FALSE(Child<QCheckBox>(dialog, "m_btnJoliet")->isChecked());
}

using OtherSettingsDialog = DialogFixture;

TEST_F(OtherSettingsDialog, ResetRestoresTheLimitsAndLeavesTheChecks)
{
    COtherSettingsDlg dialog(&m_texts);
    dialog.SetLimitCD(1);
    dialog.SetLimitDVDRed(2);
    dialog.show();
    Child<QCheckBox>(dialog, "m_btnSimulate")->setChecked(true);
    Child<QLineEdit>(dialog, "m_edtLimitDVD")->setText(QStringLiteral("77"));
    Click(dialog, "m_btnReset");
    EXPECT_EQ(Child<QLineEdit>(dialog, "m_edtLimitCD")->text(), QStringLiteral("650"));
    EXPECT_EQ(Child<QLineEdit>(dialog, "m_edtLimitDVD")->text(), QStringLiteral("4482"));
    EXPECT_EQ(Child<QLineEdit>(dialog, "m_edtLimitCDRed")->text(), QStringLiteral("700"));
    EXPECT_EQ(Child<QLineEdit>(dialog, "m_edtLimitDVDRed")->text(), QStringLiteral("8106"));
    EXPECT_TRUE(Child<QCheckBox>(dialog, "m_btnSimulate")->isChecked());
    EXPECT_EQ(Child<QCheckBox>(dialog, "m_btnBurnProof")->text(), m_texts.GetText(755));
}

TEST_F(OtherSettingsDialog, AChangedLimitSurvivesCancelInMemory)
{
    COtherSettingsDlg dialog(&m_texts);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QLineEdit *limit = Child<QLineEdit>(dialog, "m_edtLimitCDRed");
    limit->setFocus();
    limit->setText(QStringLiteral("-5")); // any whole number is accepted
    Child<QLineEdit>(dialog, "m_edtLimitDVD")->setFocus();
    Click(dialog, "m_btnCancel");
    EXPECT_EQ(dialog.GetLimitCDRed(), -5);
    EXPECT_EQ(dialog.m_bChanged, 0);
}

class CountingOtherSettings : public COtherSettingsDlg
{
public:
    using COtherSettingsDlg::COtherSettingsDlg;
    QStringList messages;

protected:
    void ShowInvalidLimit(const QString &text) override { messages << text; }
};

TEST_F(OtherSettingsDialog, ALimitThatIsNoNumberGetsOneMessageAndTheDialogStaysOpen)
{
    CountingOtherSettings dialog(&m_texts);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    Child<QLineEdit>(dialog, "m_edtLimitDVD")->setText(QStringLiteral("4.7 GB"));
    Child<QCheckBox>(dialog, "m_btnVerify")->setChecked(true);
    Click(dialog, "m_btnOk");
    EXPECT_EQ(dialog.messages, QStringList{m_texts.GetText(901)});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.m_bChanged, 0);
    EXPECT_TRUE(Child<QLineEdit>(dialog, "m_edtLimitDVD")->hasFocus());

    Click(dialog, "m_btnCancel");
    EXPECT_EQ(dialog.m_bChanged, 0); // so nothing is saved
    EXPECT_EQ(dialog.GetLimitDVD(), 4482);

    dialog.show();
    Child<QLineEdit>(dialog, "m_edtLimitDVD")->setText(QStringLiteral(" 4700 "));
    Click(dialog, "m_btnOk");
    EXPECT_EQ(dialog.m_bChanged, 1);
    EXPECT_EQ(dialog.GetLimitDVD(), 4700);
    EXPECT_EQ(dialog.GetBurnFlags() & 0x400, 0x400);
}

using AudioDialog = DialogFixture;

TEST_F(AudioDialog, EnableAudioSwitchesThePathControls)
{
    CAudioDlg dialog(&m_texts);
    dialog.show();
    const char *controls[] = {"m_edtSuccessWave", "m_edtErrorWave",   "m_btnSuccessWav",
                              "m_btnErrorWav",    "m_btnSuccessPlay", "m_btnErrorPlay"};
    for (const char *name : controls)
        EXPECT_FALSE(Child<QWidget>(dialog, name)->isEnabled()) << name;
    Click(dialog, "m_btnEnableAudio");
    EXPECT_EQ(dialog.IsAudioEnabled(), 1);
    for (const char *name : controls)
        EXPECT_TRUE(Child<QWidget>(dialog, name)->isEnabled()) << name;
    Click(dialog, "m_btnEnableAudio");
    for (const char *name : controls)
        EXPECT_FALSE(Child<QWidget>(dialog, name)->isEnabled()) << name;
}

TEST_F(AudioDialog, ButtonsShowTheirIconsAndTheChooseCaption)
{
    CAudioDlg dialog(&m_texts);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), m_texts.GetText(815));
    for (const char *name : {"m_btnSuccessPlay", "m_btnErrorPlay"}) {
        EXPECT_TRUE(Child<CIconButton>(dialog, name)->text().isEmpty());
        EXPECT_TRUE(Child<CIconButton>(dialog, name)->HasImage());
        EXPECT_EQ(Child<CIconButton>(dialog, name)->toolTip(), m_texts.GetText(817));
    }
    for (const char *name : {"m_btnSuccessWav", "m_btnErrorWav"}) {
        EXPECT_EQ(Child<CIconButton>(dialog, name)->text(), m_texts.GetText(811));
        EXPECT_TRUE(Child<CIconButton>(dialog, name)->HasImage());
    }
    EXPECT_EQ(CaptionOf(dialog, "m_btnOk"), QStringLiteral("&OK"));
}

TEST_F(AudioDialog, PickersAndPlayUseThePathsAsTakenOver)
{
    CAudioDlg dialog(&m_texts);
    QStringList played;
    dialog.SetSoundPlayer([&played](const QString &path) { played << path; });
    std::optional<QString> pick = QStringLiteral("/sounds/done.wav");
    dialog.SetFileChooser([&pick](QWidget *) { return pick; });
    dialog.SetAudioEnabled(1);
    dialog.SetErrorWave(QStringLiteral("a.wav"));
    dialog.show();

    Child<QLineEdit>(dialog, "m_edtErrorWave")->setText(QStringLiteral("typed.wav"));
    Click(dialog, "m_btnErrorPlay");
    Click(dialog, "m_btnSuccessPlay"); // empty: nothing plays
    EXPECT_EQ(played, QStringList{QStringLiteral("a.wav")});

    Click(dialog, "m_btnSuccessWav");
    EXPECT_EQ(dialog.GetSuccessWave(), QStringLiteral("/sounds/done.wav"));
    // The exchange back replaced the text typed but not taken over.
    EXPECT_EQ(Child<QLineEdit>(dialog, "m_edtErrorWave")->text(), QStringLiteral("a.wav"));

    pick.reset();
    Click(dialog, "m_btnErrorWav");
    EXPECT_EQ(dialog.GetErrorWave(), QStringLiteral("a.wav"));

    dialog.SetErrorWave(QStringLiteral("b.wa"));
    Click(dialog, "m_btnErrorPlay"); // four characters: nothing plays
    EXPECT_EQ(played.size(), 1);
    Click(dialog, "m_btnCancel");
    EXPECT_EQ(dialog.GetSuccessWave(), QStringLiteral("/sounds/done.wav")); // survives in memory
    EXPECT_EQ(dialog.m_bChanged, 0);
}

} // namespace
