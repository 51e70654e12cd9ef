// How the main window looks once it is on the screen: its icon buttons draw
// in the style, the Write Speed list shows its entries whole, and the
// capacity meter spans its group however wide the window becomes.

#include "AppTestSupport.h"

#include "controls/CThemedIconButton.h"
#include "jobs/setup/SpeedText.h"
#include "lang/CLanguageText.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <gtest/gtest.h>

namespace {

QString ShippedLanguageFile(const char *name)
{
    QFile shipped(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/lang/") + QLatin1String(name));
    return shipped.open(QIODevice::ReadOnly) ? QString::fromUtf8(shipped.readAll()) : QString();
}

class MainWindowLook : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dlg.m_strAppDir = m_folder.ProgramFile();
        m_dlg.OnInitDialog();
        m_dlg.show();
        QApplication::processEvents();
    }

    // Global x of a widget's left and right edges.
    static int LeftOf(const QWidget &widget) { return widget.mapToGlobal(QPoint(0, 0)).x(); }
    static int RightOf(const QWidget &widget) { return LeftOf(widget) + widget.width(); }

    ProgramFolderFixture m_folder;
    TestBurnDlg m_dlg;
};

TEST_F(MainWindowLook, EveryIconButtonIsTheThemedClass)
{
    for (const char *name :
         {"m_btnErase", "m_btnDirectory", "m_btnBurn", "m_btnAbort", "m_btnHelp", "m_btnQuit", "m_btnAbout",
          "m_btnSaveLog", "m_btnSpeeds", "m_btnClearLog", "m_btnEject"}) {
        auto *button = m_dlg.findChild<QWidget *>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_NE(qobject_cast<CThemedIconButton *>(button), nullptr) << name;
    }
}

TEST(MainWindowSpeedList, ShowsItsLongestEntryWholeInTheNarrowestWindow)
{
    // The speeds come with the recording set-up, before the window is first
    // shown, and again whenever the recorder or the media type changes.
    enum class Filled { BeforeShow, AfterShow };
    for (const char *language : {"english.lng", "deutsch.lng"}) {
        for (const Filled filled : {Filled::BeforeShow, Filled::AfterShow}) {
            ProgramFolderFixture folder;
            folder.WriteFile(QLatin1String(language), ShippedLanguageFile(language));
            TestBurnDlg dlg;
            dlg.m_strAppDir = folder.ProgramFile();
            dlg.OnInitDialog();
            dlg.m_strLangFile = QLatin1String(language);
            dlg.Texts().SetFile(folder.Folder() + QLatin1Char('/') + QLatin1String(language));
            dlg.ApplyWindowTexts();
            const QString longest = jobs::SpeedListEntry(11080, 1385);
            const auto fill = [&] {
                dlg.m_portSpeeds.ClearSpeedList();
                for (const int kBs : {3324, 5540, 11080})
                    dlg.m_portSpeeds.AddSpeed(jobs::SpeedListEntry(kBs, 1385));
                dlg.m_portSpeeds.SelectSpeed(2);
            };
            if (filled == Filled::BeforeShow)
                fill();
            dlg.show();
            QApplication::processEvents();
            if (filled == Filled::AfterShow)
                fill();
            dlg.resize(1, 1); // as narrow as the window can be made
            QApplication::processEvents();

            QStyleOptionComboBox option;
            option.initFrom(dlg.m_cmbSpeed);
            option.currentText = longest;
            const QRect field = dlg.m_cmbSpeed->style()->subControlRect(
                QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, dlg.m_cmbSpeed);
            EXPECT_GE(field.width(), QFontMetrics(dlg.m_cmbSpeed->font()).horizontalAdvance(longest))
                << language << (filled == Filled::BeforeShow ? ", filled before" : ", filled after")
                << " the window showed";
        }
    }
}

TEST_F(MainWindowLook, CapacityMeterBandSpansItsGroupAfterEveryResize)
{
    const QWidget &group = *m_dlg.m_grpBurn;
    const CCapacityMeter &meter = *m_dlg.m_ctlCapacity;
    const int startWidth = m_dlg.width();
    for (const int width : {startWidth + 240, startWidth + 80, startWidth}) {
        m_dlg.resize(width, m_dlg.height());
        QApplication::processEvents();
        ASSERT_EQ(m_dlg.width(), width) << "the window keeps the width it was given";
        const int bandLeft = LeftOf(meter);
        const int bandRight = bandLeft + meter.DrawingWidth();
        // The band starts inside the group and ends as far from the group's
        // right edge as it starts from its left edge.
        EXPECT_GT(bandLeft, LeftOf(group)) << width;
        EXPECT_NEAR(RightOf(group) - bandRight, bandLeft - LeftOf(group), 1) << width;
        EXPECT_GE(meter.width(), meter.DrawingWidth() - 1) << "the whole band is visible at " << width;
    }
}

} // namespace
