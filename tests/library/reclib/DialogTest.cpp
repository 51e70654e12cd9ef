// The user dialogs NeroBurn raises (15 waiting for a disc, 20 image file
// name, 22 non-empty rewritable) and the track failures it reports.
#include "PatternTrack.h"
#include "ReclibHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

const char *const EmptyRecorder = "[Empty]\nmedium = none\nwrites = DVD\nfile = media/empty.iso\n";
const char *const DvdRecorder = "[D]\nmedium = DVD+R blank\nfile = media/d.iso\n";

} // namespace

TEST(ReclibDialogs, WithoutADiscTheBurnWaitsThroughDialog15AndBurnsADiscInsertedMeanwhile)
{
    LoadedReclib lib(EmptyRecorder);
    RecDeviceHandle device = lib.open("Empty", MEDIA_SET_DVD);
    EXPECT_EQ(lib.burn(device, patternTrack(8), ProgramBurnFlags), BURN_FAILED);
    ASSERT_EQ(lib.callbacks.dialogs.size(), 1u);
    EXPECT_EQ(lib.callbacks.dialogs[0], (std::pair<int, intptr_t>{DLG_WAITCD, WAIT_REASON_INSERT_MEDIUM}));
    char *text = lib.api.NeroGetLocalizedWaitCDTexts(WAIT_REASON_INSERT_MEDIUM);
    ASSERT_NE(text, nullptr);
    EXPECT_NE(std::strstr(text, "insert"), nullptr);
    lib.api.NeroFreeMem(text);
    EXPECT_EQ(lib.api.NeroGetLocalizedWaitCDTexts(999), nullptr);
    EXPECT_TRUE(lib.callbacks.logged("There is no disc in Empty"));

    lib.callbacks.answerDialog = [&](int type, void *) {
        if (type == DLG_WAITCD)
            writeFile(lib.folder + "/media/empty.iso.state",
                      "configured = none\nmedium = DVD-R\nblank = yes\n");
        return 0;
    };
    EXPECT_EQ(lib.burn(device, patternTrack(8), ProgramBurnFlags), BURN_OK) << lib.callbacks.allLogs();
    EXPECT_EQ(readFile(lib.folder + "/media/empty.iso"), patternImage(8));
    EXPECT_EQ(lib.discInfo(device).mediaType, MEDIA_DVD_MINUS);
}

TEST(ReclibDialogs, AWrittenWriteOnceDiscOrAWrongKindAsksForAnotherDisc)
{
    LoadedReclib lib("[R]\nmedium = DVD-R written\nfile = media/r.iso\n[CD]\nmedium = CD-R blank\nwrites = "
                     "CD DVD\nfile = media/cd.iso\n");
    EXPECT_EQ(lib.burn(lib.open("R"), patternTrack(8), ProgramBurnFlags), BURN_FAILED);
    EXPECT_TRUE(lib.callbacks.loggedContaining("already written"));
    EXPECT_EQ(lib.burn(lib.open("CD"), patternTrack(8), ProgramBurnFlags, 0, MEDIA_SET_DVD), BURN_FAILED);
    ASSERT_EQ(lib.callbacks.dialogs.size(), 2u);
    EXPECT_EQ(lib.callbacks.dialogs[1], (std::pair<int, intptr_t>{DLG_WAITCD, WAIT_REASON_WRONG_MEDIUM}));
}

TEST(ReclibDialogs, ImageRecorderAsksForTheFileThroughDialog20)
{
    LoadedReclib lib("");
    RecDeviceHandle device = lib.open("Image Recorder", MEDIA_SET_DVD);
    EXPECT_EQ(lib.discInfo(device).contentCount, 0);
    const std::string target = lib.folder + "/out/MY_FILM.nrg";
    writeFile(lib.folder + "/out/placeholder", "");
    const struct
    {
        const char *name;
        std::string answer; // empty: cancelled
        int result;
        std::string logged;
    } cases[] = {
        {"a file name", target, BURN_OK, ""}, // a plain image whatever the extension
        {"cancelled", "", BURN_USER_ABORT, ""},
        {"a missing folder", lib.folder + "/no/such/folder/x.iso", BURN_FAILED, "does not exist"},
        {"a buffer filled to the brim", std::string(IMAGE_PATH_BUFFER_SIZE, 'a'), BURN_FAILED, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        lib.callbacks = {};
        lib.callbacks.answerDialog = [&](int type, void *data) {
            if (type != DLG_IMAGE_FILENAME || c.answer.empty())
                return 0;
            std::memset(data, 'x', IMAGE_PATH_BUFFER_SIZE); // the whole buffer is writable
            std::memcpy(data, c.answer.c_str(),
                        std::min<size_t>(c.answer.size() + 1, IMAGE_PATH_BUFFER_SIZE));
            return 1;
        };
        EXPECT_EQ(lib.burn(device, patternTrack(90), ProgramBurnFlags | BURN_FLAG_VERIFY), c.result)
            << lib.callbacks.allLogs();
        ASSERT_EQ(lib.callbacks.dialogs.size(), 1u);
        EXPECT_EQ(lib.callbacks.dialogs[0].first, DLG_IMAGE_FILENAME);
        EXPECT_TRUE(lib.callbacks.loggedContaining(c.logged));
        EXPECT_EQ(lib.callbacks.phases.empty(), c.result != BURN_OK);
        EXPECT_EQ(readFile(target), patternImage(90));
        EXPECT_TRUE(filesEndingWith(lib.folder, ".part").empty());
    }
}

TEST(ReclibDialogs, ANonEmptyRewritableAsksThroughDialog22)
{
    LoadedReclib lib("[RW]\nmedium = DVD+RW written\nfile = media/rw.iso\n");
    writeFile(lib.folder + "/media/rw.iso", "earlier burn");
    RecDeviceHandle device = lib.open("RW");
    EXPECT_EQ(lib.burn(device, patternTrack(8), ProgramBurnFlags), BURN_USER_ABORT);
    ASSERT_EQ(lib.callbacks.dialogs.size(), 1u);
    EXPECT_EQ(lib.callbacks.dialogs[0].first, DLG_NON_EMPTY_REWRITABLE);
    EXPECT_EQ(readFile(lib.folder + "/media/rw.iso"), bytes("earlier burn"));

    lib.callbacks.answerDialog = overwriteUsedDisc;
    EXPECT_EQ(lib.burn(device, patternTrack(8), ProgramBurnFlags), BURN_OK);
    EXPECT_EQ(readFile(lib.folder + "/media/rw.iso"), patternImage(8));
    // Without the detect flag a rewritable is simply overwritten.
    const size_t dialogs = lib.callbacks.dialogs.size();
    EXPECT_EQ(lib.burn(device, patternTrack(4), OverwriteFlags), BURN_OK);
    EXPECT_EQ(lib.callbacks.dialogs.size(), dialogs);
}

TEST(ReclibTrackFailures, ReallocationAndLayoutFailuresLogTheirLineBeforeAnythingIsWritten)
{
    for (const std::string line :
         {"DVD-Video files reallocation failed", "VTS_01_1.VOB is larger than a UDF extent"}) {
        SCOPED_TRACE(line);
        PatternTrackOptions options;
        options.reallocFailed = line.starts_with("DVD");
        options.layoutError = options.reallocFailed ? "" : line;
        LoadedReclib lib(DvdRecorder);
        EXPECT_EQ(lib.burn(lib.open("D"), createPatternTrack(options), ProgramBurnFlags), BURN_FAILED);
        EXPECT_TRUE(lib.callbacks.logged(line)) << lib.callbacks.allLogs();
        EXPECT_TRUE(lib.callbacks.phases.empty());
        EXPECT_FALSE(exists(lib.folder + "/media/d.iso"));
    }
}

TEST(ReclibTrackFailures, AMissingSourceFileLogsItsRequiredFileLineAndKeepsTheWrittenMedium)
{
    LoadedReclib lib("[RW]\nmedium = DVD+RW blank\nfile = media/rw.iso\n");
    RecDeviceHandle rw = lib.open("RW");
    ASSERT_EQ(lib.burn(rw, patternTrack(20), OverwriteFlags), BURN_OK);
    const std::vector<uint8_t> state = readFile(lib.folder + "/media/rw.iso.state");
    PatternTrackOptions failing;
    failing.sectors = 3000;
    failing.failAtSector = 1500;
    EXPECT_EQ(lib.burn(rw, createPatternTrack(failing), OverwriteFlags), BURN_FAILED);
    EXPECT_TRUE(lib.callbacks.logged("Required file /dvd/VIDEO_TS/VTS_01_1.VOB is missing"))
        << lib.callbacks.allLogs();
    EXPECT_TRUE(lib.errorLogged("Required file"));
    EXPECT_TRUE(filesEndingWith(lib.folder, ".part").empty());
    EXPECT_EQ(readFile(lib.folder + "/media/rw.iso"), patternImage(20));
    EXPECT_EQ(readFile(lib.folder + "/media/rw.iso.state"), state);
}
