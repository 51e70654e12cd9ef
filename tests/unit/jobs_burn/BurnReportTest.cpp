// What the library is asked for and how the end of a burn is reported.
#include "jobs/burn/BurnReport.h"
#include "jobs/burn/DiscCheck.h"
#include "jobs/burn/PhaseTexts.h"
#include "jobs/setup/BurnFlags.h"
#include "jobs/setup/RecorderChoice.h"
#include "jobs/setup/SpeedText.h"

#include <gtest/gtest.h>

#include <set>

using namespace jobs;

TEST(BurnFlags, TheLibraryGetsTheChosenBitsVerifyAsTickedAndNeverTheAskBit)
{
    for (const uint32_t bit : {BURN_SIMULATE, BURN_PROOF, BURN_NO_EJECT, BURN_DVDROM_BOOKTYPE})
        EXPECT_EQ(ComputeBurnFlags(bit, false) & bit, bit) << std::hex << bit;
    const uint32_t always = BURN_FLAG_WRITE | BURN_FLAG_DAO | BURN_FLAG_DETECT_NON_EMPTY_RW;
    EXPECT_EQ(ComputeBurnFlags(0, false) & always, always);
    EXPECT_EQ(ComputeBurnFlags(0, false) & BURN_SIMULATE, 0u);
    EXPECT_EQ(ComputeBurnFlags(BURN_NO_OVERWRITE_ASK, true) & (BURN_NO_OVERWRITE_ASK | BURN_VERIFY),
              BURN_VERIFY);
    EXPECT_EQ(ComputeBurnFlags(BURN_VERIFY, false) & BURN_VERIFY, 0u)
        << "the box, not the stored word, decides";

    const IsoTrackFlags all = ComputeIsoTrackFlags(FS_UDF | FS_ISO9660 | FS_JOLIET | FS_MODE2, true);
    EXPECT_EQ(all.flags, uint32_t(FS_UDF | FS_ISO9660 | FS_JOLIET | FS_MODE2 | FS_REALLOC));
    EXPECT_EQ(all.flagList, "ISO UDF Joliet Mode 2 Realloc ");
    EXPECT_EQ(ComputeIsoTrackFlags(FS_UDF, false).flags, uint32_t(FS_UDF));
}

TEST(BurnReport, EachFailureIsNamedInAnErrorBoxAndSuccessInAnInformationBox)
{
    std::set<int> failureTexts;
    for (const int result : {BURN_UNKNOWN_CD_FORMAT, BURN_INVALID_DRIVE, BURN_FAILED,
                             BURN_FUNCTION_NOT_ALLOWED, BURN_DRIVE_NOT_ALLOWED, BURN_USER_ABORT, 17}) {
        const BurnReport report = ReportForResult(result, {});
        EXPECT_EQ(report.box, ReportBox::Error) << result;
        EXPECT_FALSE(report.totalTimeLine) << result;
        EXPECT_NE(report.statusTextId, 0) << result;
        EXPECT_TRUE(failureTexts.insert(report.logTextId).second) << result << " shares its text";
    }
    EXPECT_NE(ReportForResult(BURN_USER_ABORT, {}).statusTextId,
              ReportForResult(BURN_FAILED, {}).statusTextId);

    const BurnReport success = ReportForResult(BURN_OK, {});
    EXPECT_EQ(success.box, ReportBox::Info);
    EXPECT_TRUE(success.totalTimeLine);
    EXPECT_FALSE(failureTexts.contains(success.logTextId));
    EXPECT_NE(success.statusTextId, ReportForResult(BURN_FAILED, {}).statusTextId);
    EXPECT_NE(ReportForResult(BURN_OK, {.simulation = true}).logTextId, success.logTextId)
        << "a simulation does not claim a written disc";
}

TEST(BurnReport, ShutdownAndTheReallocationRetryHoldTheBoxesBack)
{
    EXPECT_EQ(ReportForResult(BURN_OK, {.shutdownAfterBurn = true}).box, ReportBox::None);
    EXPECT_EQ(ReportForResult(BURN_FAILED, {.shutdownAfterBurn = true}).box, ReportBox::Error)
        << "without forcing, the box waits for the person";
    EXPECT_EQ(ReportForResult(BURN_FAILED, {.shutdownAfterBurn = true, .forceShutdown = true}).box,
              ReportBox::None);
    const BurnReport retry = ReportForResult(BURN_FAILED, {.reallocProblem = true});
    EXPECT_EQ(retry.logTextId, 0);
    EXPECT_EQ(retry.box, ReportBox::None);
    EXPECT_EQ(retry.statusTextId, 0);
}

TEST(ClassifyDisc, UsedRewritableNeedsContentAndARewritableType)
{
    const struct
    {
        int content;
        uint32_t mediaType;
        int mediumType;
        UsedRewritable kind;
    } cases[] = {
        {1, MEDIA_TYPE_DVD_PRW, 0, UsedRewritable::DvdPlusRw},
        {1, MEDIA_TYPE_DVD_RW, 0, UsedRewritable::DvdMinusRw},
        {1, MEDIA_CD, MEDIUM_TYPE_CDRW, UsedRewritable::CdRw},
        {1, MEDIA_CD, 1, UsedRewritable::No},
        {0, MEDIA_TYPE_DVD_PRW, 0, UsedRewritable::No},
    };
    for (const auto &c : cases) {
        DiscInfo info{};
        info.contentCount = c.content;
        info.mediaType = c.mediaType;
        info.mediumType = c.mediumType;
        EXPECT_EQ(ClassifyDisc(info), c.kind) << c.mediaType << "/" << c.mediumType;
    }
    EXPECT_EQ(RewritableSuffix(UsedRewritable::DvdPlusRw), " DVD+RW");
    EXPECT_EQ(RewritableSuffix(UsedRewritable::CdRw), " CD-RW");
}

TEST(RecorderChoice, ListsWritersOfTheMediaAndPreselectsTheStoredOnes)
{
    const struct
    {
        int type, capabilities;
        uint32_t media, wanted;
        bool listed;
    } cases[] = {
        {1, 1, MEDIA_DVD_PLUS, MEDIA_SET_DVD, true},
        {1, 1, MEDIA_DVD_PLUS | MEDIA_DVD_MINUS, MEDIA_SET_CD, false},
        {1, 3, MEDIA_CD | MEDIA_DVD_PLUS, MEDIA_SET_CD, true},
        {2, 1, 0xFF, MEDIA_SET_DVD, false}, // not a recorder
        {1, 2, 0xFF, MEDIA_SET_DVD, false}, // cannot write
    };
    for (const auto &c : cases) {
        DeviceInfo info{};
        info.deviceType = c.type;
        info.capabilities = c.capabilities;
        info.mediaSet = c.media;
        EXPECT_EQ(IsListedRecorder(info, c.wanted), c.listed)
            << c.type << "/" << c.capabilities << "/" << c.media;
    }

    const QStringList names{"Virtual DVD Writer", "Virtual DVD-RW Writer", "Image Recorder"};
    EXPECT_EQ(PreselectRecorder(names, "IMAGE"), 2);
    EXPECT_EQ(PreselectRecorder(names, "Nothing like it"), 0);
    EXPECT_EQ(PreselectRecorder({}, "x"), -1);
    EXPECT_EQ(PreselectSpeed(-1, 3), 2);
    EXPECT_EQ(PreselectSpeed(3, 3), 2);
    EXPECT_EQ(PreselectSpeed(0, 3), 0);

    EXPECT_EQ(SpeedListEntry(900, 150), "6.0x (900 kB/s)");
    EXPECT_EQ(SpeedLogText(600, 150), "4.0x (600kB/s)");
}

namespace {

using namespace Qt::StringLiterals;

// The library's known phases in the window's language; others as given.
TEST(PhaseText, KnownPhasesAreTranslatedAndOthersPassThrough)
{
    const auto text = [](int id) { return id == 1075 ? u"<%s quick>"_s : u"<%1>"_s.arg(id); };
    const std::pair<QString, QString> cases[] = {
        {u"Writing the disc"_s, u"<1070>"_s},
        {u"Simulating the write"_s, u"<1071>"_s},
        {u"Verifying the written data"_s, u"<1072>"_s},
        {u"Ejecting the disc"_s, u"<1073>"_s},
        {u"Burn process completed successfully"_s, u"<1074>"_s},
        {u"Quick erase of Test DVD Writer"_s, u"<Test DVD Writer quick>"_s},
        {u"Quick erase of "_s, u"Quick erase of "_s},
        {u"Writing the disc slowly"_s, u"Writing the disc slowly"_s},
        {u"Lead-out 100%"_s, u"Lead-out 100%"_s},
    };
    for (const auto &[library, shown] : cases)
        EXPECT_EQ(jobs::PhaseText(library, text), shown) << library.toStdString();
}

} // namespace
