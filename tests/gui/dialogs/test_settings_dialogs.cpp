// The settings dialogs and the language dialog as the user drives them:
// defaults, Reset, what survives Cancel, the limit check on OK, the Audio
// switch, and the language files offered.

#include "DialogFixture.h"

#include "TestEnvironment.h"

#include "lang/CLanguageDlg.h"
#include "settings/CAudioDlg.h"
#include "settings/CFsFlagsDlg.h"
#include "settings/COtherSettingsDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

using SettingsDialog = DialogFixture;

TEST_F(SettingsDialog, FsFlagsOpenWithTheDvdDefaultsCdvdAddsMode2AndCancelKeepsTheStates)
{
    CFsFlagsDlg dialog(&m_texts);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), m_texts.GetText(808));
    EXPECT_EQ(dialog.GetFsFlags(), 0x18);
    EXPECT_EQ(Child<QAbstractButton>(dialog, "m_btnCdvd")->text(), QStringLiteral("&cDVD")) << "kept caption";
    Child<QCheckBox>(dialog, "m_btnJoliet")->setChecked(true);
    Click(dialog, "m_btnCancel");
    EXPECT_EQ(dialog.m_bChanged, 0);
    EXPECT_EQ(dialog.GetFsFlags(), 0x18);

    dialog.show(); // opens again with the kept states
    EXPECT_FALSE(Child<QCheckBox>(dialog, "m_btnJoliet")->isChecked());
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

TEST_F(SettingsDialog, OtherSettingsResetRestoresTheLimitsAndLeavesTheChecks)
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
}

class CountingOtherSettings : public COtherSettingsDlg
{
public:
    using COtherSettingsDlg::COtherSettingsDlg;
    QStringList messages;

protected:
    void ShowInvalidLimit(const QString &text) override { messages << text; }
};

TEST_F(SettingsDialog, OtherSettingsLimitThatIsNoNumberGetsOneMessageAndTheDialogStaysOpen)
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

    // A limit taken over on leaving its field survives Cancel in memory;
    // any whole number is accepted.
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QLineEdit *limit = Child<QLineEdit>(dialog, "m_edtLimitCDRed");
    limit->setFocus();
    limit->setText(QStringLiteral("-5"));
    Child<QLineEdit>(dialog, "m_edtLimitDVD")->setFocus();
    Click(dialog, "m_btnCancel");
    EXPECT_EQ(dialog.GetLimitCDRed(), -5);
    EXPECT_EQ(dialog.m_bChanged, 0);

    dialog.show();
    Child<QLineEdit>(dialog, "m_edtLimitDVD")->setText(QStringLiteral(" 4700 "));
    Click(dialog, "m_btnOk");
    EXPECT_EQ(dialog.m_bChanged, 1);
    EXPECT_EQ(dialog.GetLimitDVD(), 4700);
    EXPECT_EQ(dialog.GetBurnFlags() & 0x400, 0x400);
}

TEST_F(SettingsDialog, AudioSwitchEnablesThePathControlsAndPlayUsesThePathsTakenOver)
{
    CAudioDlg dialog(&m_texts);
    QStringList played;
    dialog.SetSoundPlayer([&played](const QString &path) { played << path; });
    std::optional<QString> pick = QStringLiteral("/sounds/done.wav");
    dialog.SetFileChooser([&pick](QWidget *) { return pick; });
    dialog.SetErrorWave(QStringLiteral("a.wav"));
    dialog.show();
    const char *controls[] = {"m_edtSuccessWave", "m_edtErrorWave",   "m_btnSuccessWav",
                              "m_btnErrorWav",    "m_btnSuccessPlay", "m_btnErrorPlay"};
    for (const bool enabled : {false, true, false}) { // the switch is left on
        for (const char *name : controls)
            EXPECT_EQ(Child<QWidget>(dialog, name)->isEnabled(), enabled) << name;
        EXPECT_EQ(dialog.IsAudioEnabled(), enabled ? 1 : 0);
        Click(dialog, "m_btnEnableAudio");
    }

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

TEST_F(SettingsDialog, LanguageDialogListsTheFilesSortedAndPreselectsByPrefix)
{
    for (const char *name : {"Zulu.lng", "alpha.lng", "notes.txt"})
        m_folder.WriteFile(QLatin1String(name), {});
    const QStringList files = CLanguageDlg::LanguageFiles(m_folder.Folder());
    EXPECT_EQ(files, QStringList({"alpha.lng", "deutsch.lng", "english.lng", "Zulu.lng"}));
    EXPECT_EQ(CLanguageDlg::PreselectedIndex(files, QStringLiteral("ENGLISH.LNG")), 2);
    EXPECT_EQ(CLanguageDlg::PreselectedIndex(files, QStringLiteral("deu")), 1);
    EXPECT_EQ(CLanguageDlg::PreselectedIndex(files, QStringLiteral("klingon.lng")), 0);
    EXPECT_EQ(CLanguageDlg::PreselectedIndex({}, QStringLiteral("english.lng")), -1);

    CLanguageDlg dialog(&m_texts);
    dialog.SetFolder(m_folder.Folder());
    dialog.SetCurrent(QStringLiteral("deutsch.lng"));
    dialog.show();
    auto *list = Child<QComboBox>(dialog, "m_cmbLanguage");
    EXPECT_EQ(list->currentText(), QStringLiteral("deutsch.lng"));
    EXPECT_EQ(dialog.windowTitle(), m_texts.GetText(810));
    list->setCurrentIndex(0);
    Click(dialog, "m_btnOk");
    EXPECT_EQ(dialog.Chosen(), QStringLiteral("alpha.lng"));
    EXPECT_EQ(dialog.m_bChanged, 1);

    CLanguageDlg empty(&m_texts); // without language files OK keeps the current value
    empty.SetFolder(testenv::makeTempDir(QStringLiteral("empty")));
    empty.SetCurrent(QStringLiteral("english.lng"));
    empty.show();
    EXPECT_EQ(Child<QComboBox>(empty, "m_cmbLanguage")->count(), 0);
    Click(empty, "m_btnOk");
    EXPECT_EQ(empty.Chosen(), QStringLiteral("english.lng"));
}

} // namespace
