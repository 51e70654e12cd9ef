// What the program adds to the shared reader's DVD-Video check: the files the
// compilation leaves out, the file system settings, the fit, and the words.

#include "jobs/burn/DvdVideoPreflight.h"

#include <reclib_api.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <map>

namespace {

using namespace Qt::StringLiterals;

using dvdvideo::FindingKind;
using dvdvideo::FolderFile;
using dvdvideo::Severity;

TEST(PreflightFindingsTest, FilesTheCompilationLeavesOut)
{
    const struct
    {
        const char *label;
        std::vector<FolderFile> files;
        std::vector<std::string> leftOut;
    } cases[] = {
        {"all DVD-Video files, any case",
         {{"VIDEO_TS.IFO"}, {"video_ts.bup"}, {"VTS_01_0.IFO"}, {"VTS_01_1.VOB"}, {"Vts_01_0.Bup"}},
         {}},
        {"foreign names",
         {{"VIDEO_TS.IFO"}, {"notes.txt"}, {"VTS_01_10.VOB"}},
         {"notes.txt", "VTS_01_10.VOB"}},
        {"a title set without its IFO",
         {{"VIDEO_TS.IFO"}, {"VTS_02_1.VOB"}, {"VTS_02_0.BUP"}},
         {"VTS_02_1.VOB", "VTS_02_0.BUP"}},
        {"a second spelling of a name", {{"VIDEO_TS.IFO"}, {"video_ts.ifo"}}, {"VIDEO_TS.IFO"}},
        {"a folder inside VIDEO_TS", {{"VIDEO_TS.IFO"}, {"extras", 0, false}}, {"extras"}},
    };
    for (const auto &c : cases) {
        std::vector<std::string> names;
        for (const auto &finding : jobs::LeftOutFiles(c.files)) {
            EXPECT_EQ(finding.severity, Severity::Warning) << c.label;
            EXPECT_EQ(finding.kind, FindingKind::LeftOut) << c.label;
            names.push_back(finding.name);
        }
        EXPECT_EQ(names, c.leftOut) << c.label;
    }
}

TEST(PreflightFindingsTest, FileSystemSettingsForADvdVideo)
{
    struct Case
    {
        uint32_t flags;
        int media;
        std::vector<std::string> lacking;
        bool mode2Warning;
    };
    const uint32_t bridge = ISO_TRACK_UDF | ISO_TRACK_ISO9660;
    const std::vector<Case> cases = {
        {bridge, 0, {}, false},
        {ISO_TRACK_ISO9660, 0, {"UDF"}, false},
        {ISO_TRACK_UDF, 0, {"ISO 9660"}, false},
        {bridge | ISO_TRACK_MODE2, 0, {}, true},
        {bridge | ISO_TRACK_MODE2, 1, {}, false}, // a CD may be Mode 2
    };
    for (const Case &c : cases) {
        std::vector<std::string> lacking;
        bool mode2 = false;
        for (const auto &f : jobs::SettingsFindings({c.flags, false, c.media})) {
            EXPECT_EQ(f.severity, Severity::Warning);
            if (f.kind == FindingKind::FileSystemLacks)
                lacking.push_back(f.name);
            mode2 = mode2 || f.kind == FindingKind::Mode2OnDvd;
        }
        EXPECT_EQ(lacking, c.lacking) << "flags " << c.flags;
        EXPECT_EQ(mode2, c.mode2Warning) << "flags " << c.flags << " media " << c.media;
    }
}

TEST(PreflightFindingsTest, FitAgainstTheDiscElseTheMediaLimit)
{
    constexpr int64_t Mb = 512; // sectors
    struct Case
    {
        int64_t track, freeSectors, limitMb;
        bool error;
        int64_t roomMb, neededMb;
    };
    const std::vector<Case> cases = {
        {100 * Mb, 100 * Mb, 0, false, 0, 0},
        {100 * Mb + 1, 100 * Mb, 0, true, 100, 101},
        {100 * Mb + 1, 200 * Mb, 50, false, 0, 0}, // the disc's own room wins over the limit
        {100 * Mb, -1, 99, true, 99, 100},         // unknown room: the media type's limit
        {100 * Mb, -1, 100, false, 0, 0},
        {100 * Mb, -1, 0, false, 0, 0}, // nothing known: no finding
    };
    for (const Case &c : cases) {
        const auto finding = jobs::FitFinding(c.track, c.freeSectors, c.limitMb);
        ASSERT_EQ(finding.has_value(), c.error) << c.track << " in " << c.freeSectors << "/" << c.limitMb;
        if (finding) {
            EXPECT_EQ(finding->severity, Severity::Error);
            EXPECT_EQ(finding->kind, FindingKind::DiscTooSmall);
            EXPECT_EQ(finding->number, c.roomMb);
            EXPECT_EQ(finding->number2, c.neededMb);
        }
    }
}

QString Template(int id)
{
    static const std::map<int, QString> texts = {
        {990, u"Check of %s:"_s},
        {991, u"No problems"_s},
        {993, u"E: %s"_s},
        {994, u"W: %s"_s},
        {995, u"N: %s"_s},
        {944, u"%s<>%s@%d"_s},
        {997, u"set %d lacks %s"_s},
        {998, u"title %d chapter %d"_s},
        {949, u"%s %d/%d"_s},
        {910, u"room %d need %d"_s},
        {1000, u"%s unreadable: %s"_s},
        {1001, u"%s fifo"_s},
    };
    const auto found = texts.find(id);
    return found == texts.end() ? QString() : found->second;
}

TEST(PreflightFindingsTest, ReportLinesNameEachFindingUnderOneHeading)
{
    const dvdvideo::Findings findings = {
        {Severity::Error, FindingKind::TitleSetFileMissing, "VTS_02_0.IFO", {}, 2, 0},
        {Severity::Warning, FindingKind::BackupDiffers, "VTS_01_0.BUP", "VTS_01_0.IFO", 300, 0},
        {Severity::Note, FindingKind::SectorCount, "VTS_01_1.VOB", {}, 100, 158},
        {Severity::Error, FindingKind::CellUnreadable, {}, {}, 3, 7},
        {Severity::Error, FindingKind::DiscTooSmall, {}, {}, 4482, 4700},
        {Severity::Error, FindingKind::FileRefused, "VTS_01_2.VOB", {}, 1, EACCES},
        {Severity::Error, FindingKind::FileRefused, "VIDEO_TS.IFO", {}, 2, 0},
    };
    const QStringList expected = {
        u"Check of /films/a:"_s,
        u"  E: set 2 lacks VTS_02_0.IFO"_s,
        u"  W: VTS_01_0.BUP<>VTS_01_0.IFO@300"_s,
        u"  N: VTS_01_1.VOB 100/158"_s,
        u"  E: title 3 chapter 7"_s,
        u"  E: room 4482 need 4700"_s,
        u"  E: VTS_01_2.VOB unreadable: Permission denied"_s,
        u"  E: VIDEO_TS.IFO fifo"_s,
    };
    EXPECT_EQ(jobs::PreflightLines(u"/films/a"_s, findings, &Template), expected);
    EXPECT_EQ(jobs::PreflightLines(u"/films/a"_s, {}, &Template), QStringList{u"No problems"_s});
    EXPECT_EQ(jobs::FindingText(findings[0], &Template), u"set 2 lacks VTS_02_0.IFO"_s);
}

} // namespace
