// Setting the layer break on a real DVD+R DL drive: the command bytes and
// decoders against the MMC layout, and the whole exchange against a drive
// played by a fake channel.
#include "burn/DriveLayerBreak.h"
#include "burn/MmcDiscStructure.h"
#include "burn/ScsiSense.h"
#include "reclib_api.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace reclib;
using Bytes = std::vector<uint8_t>;

namespace {

template <typename C> Bytes bytesOf(const C &c)
{
    return Bytes(c.begin(), c.end());
}

TEST(MmcLayerBoundary, CommandBlocksAndParameterList)
{
    const struct
    {
        Bytes actual, expected;
    } rows[] = {
        // opcode, media type 0 (DVD), address 0, layer 0, format 20h, length 12, AGID 0, control 0
        {bytesOf(mmc::readLayerBoundaryCdb()), {0xAD, 0, 0, 0, 0, 0, 0, 0x20, 0, 12, 0, 0}},
        {bytesOf(mmc::sendLayerBoundaryCdb()), {0xBF, 0, 0, 0, 0, 0, 0, 0x20, 0, 12, 0, 0}},
        // data length 10, 6 reserved bytes, L0 Data Area Capacity big-endian
        {bytesOf(mmc::layerBoundaryParameters(2086912)), {0, 10, 0, 0, 0, 0, 0, 0, 0x00, 0x1F, 0xD8, 0x00}},
        {bytesOf(mmc::layerBoundaryParameters(0x01020304)), {0, 10, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.actual, row.expected);
}

TEST(MmcLayerBoundary, ReadAnswer)
{
    const struct
    {
        Bytes answer;
        bool parsed;
        bool initStatus;
        uint32_t l0;
    } rows[] = {
        {{0, 10, 0, 0, 0x80, 0, 0, 0, 0x00, 0x1F, 0xD8, 0x00}, true, true, 2086912},
        {{0, 10, 0, 0, 0x7F, 0, 0, 0, 0x00, 0x1E, 0x84, 0x80}, true, false, 2000000},
        {{0, 10, 0, 0, 0, 0, 0, 0, 0, 0x1F, 0xD8}, false, false, 0},   // too short
        {{0, 6, 0, 0, 0, 0, 0, 0, 0, 0x1F, 0xD8, 0}, false, false, 0}, // length stops before the field
    };
    for (const auto &row : rows) {
        const auto boundary = mmc::parseLayerBoundary(row.answer);
        ASSERT_EQ(boundary.has_value(), row.parsed);
        if (boundary) {
            EXPECT_EQ(boundary->initStatus, row.initStatus);
            EXPECT_EQ(boundary->l0Capacity, row.l0);
        }
    }
}

Bytes fixedSense(uint8_t key, uint8_t asc, uint8_t ascq, uint8_t code = 0x70)
{
    Bytes sense(18, 0);
    sense[0] = code;
    sense[2] = key;
    sense[7] = 10;
    sense[12] = asc;
    sense[13] = ascq;
    return sense;
}

TEST(ScsiSense, DecodesAndDescribes)
{
    const struct
    {
        Bytes bytes;
        const char *text; // nullptr: not decoded
    } rows[] = {
        {fixedSense(0x05, 0x24, 0x00), "ILLEGAL REQUEST, invalid field in command block (5/24/00)"},
        {fixedSense(0x05, 0x20, 0x00, 0xF0),
         "ILLEGAL REQUEST, the drive does not know the command (5/20/00)"},
        {fixedSense(0x02, 0x3A, 0x00, 0x71), "NOT READY, no medium in the drive (2/3A/00)"},
        {fixedSense(0x05, 0x30, 0x05),
         "ILLEGAL REQUEST, cannot write: the medium's format is incompatible (5/30/05)"},
        {fixedSense(0x05 | 0x20, 0x2C, 0x00),
         "ILLEGAL REQUEST, command out of sequence (5/2C/00)"}, // ILI bit ignored
        {fixedSense(0x03, 0x11, 0x00), "MEDIUM ERROR (3/11/00)"},
        {{0x72, 0x06, 0x28, 0x00, 0, 0, 0, 0}, "UNIT ATTENTION, the medium may have changed (6/28/00)"},
        {{0x70, 0, 0x05, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x24}, nullptr}, // ASCQ missing
        {fixedSense(0x05, 0x24, 0x00, 0x00), nullptr},
        {{}, nullptr},
    };
    for (const auto &row : rows) {
        const auto sense = mmc::decodeSense(row.bytes);
        ASSERT_EQ(sense.has_value(), row.text != nullptr) << (row.text ? row.text : "undecodable");
        if (sense) {
            EXPECT_EQ(mmc::describeSense(*sense), row.text);
        }
    }
}

// A dual-layer drive as the fake channel plays it.
struct FakeDrive
{
    enum class Answer { Accept, RoundUp, KeepOwn, Refuse, LoseMedium };
    Answer answer = Answer::Accept;
    uint32_t l0 = 2086912; // the blank disc's own layer 0
    bool mediumLost = false;
    bool closed = false;
    std::vector<Bytes> commands;
};

class FakeChannel : public IScsiChannel
{
public:
    explicit FakeChannel(FakeDrive &drive) : m_drive(drive) {}
    ~FakeChannel() override { m_drive.closed = true; }

    ScsiOutcome execute(std::span<const uint8_t> cdb, DataDirection direction, std::span<uint8_t> buffer,
                        std::chrono::milliseconds) override
    {
        m_drive.commands.emplace_back(cdb.begin(), cdb.end());
        if (m_drive.mediumLost)
            return checkCondition(0x02, 0x3A, 0x00);
        if (cdb[0] == mmc::kOpSendDiscStructure && direction == DataDirection::ToDrive) {
            if (m_drive.answer == FakeDrive::Answer::Refuse)
                return checkCondition(0x05, 0x24, 0x00);
            const uint32_t asked = uint32_t(buffer[8]) << 24 | buffer[9] << 16 | buffer[10] << 8 | buffer[11];
            if (m_drive.answer != FakeDrive::Answer::KeepOwn)
                m_drive.l0 = m_drive.answer == FakeDrive::Answer::RoundUp ? (asked + 15) / 16 * 16 : asked;
            m_drive.mediumLost = m_drive.answer == FakeDrive::Answer::LoseMedium;
            return {true, 0, {}, {}};
        }
        if (cdb[0] == mmc::kOpReadDiscStructure && direction == DataDirection::FromDrive &&
            buffer.size() >= 12) {
            std::fill_n(buffer.begin(), 12, 0);
            buffer[1] = 10; // data length; L0 Data Area Capacity big-endian at 8
            for (int i = 0; i < 4; ++i)
                buffer[8 + size_t(i)] = uint8_t(m_drive.l0 >> (24 - 8 * i));
            return {true, 0, {}, {}};
        }
        return checkCondition(0x05, 0x20, 0x00);
    }

private:
    static ScsiOutcome checkCondition(uint8_t key, uint8_t asc, uint8_t ascq)
    {
        return {false, 0x02, fixedSense(key, asc, ascq), {}};
    }
    FakeDrive &m_drive;
};

struct FlowRun
{
    std::optional<std::string> failure;
    bool grabbedAgain = false;
    bool closedBeforeGrab = false;
    std::vector<std::string> log;
};

FlowRun settle(FakeDrive &drive, bool plusR, int64_t planned, bool grabWorks = true,
               std::vector<int64_t> cellStarts = {})
{
    FlowRun run;
    DriveLayerBreakJob job;
    job.dvdPlusR = plusR;
    job.plannedBreak = planned;
    job.imageSectors = 4000000;
    job.cellStarts = std::move(cellStarts);
    job.log = [&run](int, const std::string &text) { run.log.push_back(text); };
    job.grabAgain = [&](std::string &why) {
        run.grabbedAgain = true;
        run.closedBeforeGrab = drive.closed;
        why = "the drive is busy";
        return grabWorks;
    };
    run.failure = settleDriveLayerBreak(std::make_unique<FakeChannel>(drive), job);
    return run;
}

// What a DVD+R DL drive answers, and where each answer leaves the job: only
// a drive that took the plan (or its round-up) is grabbed again for the write.
TEST(DriveLayerBreak, DvdPlusRDlEndings)
{
    using A = FakeDrive::Answer;
    const struct
    {
        A answer;
        int64_t planned;
        bool grabWorks;
        const char *failure; // part of the reason; nullptr: goes on to the write
        size_t commands;     // SEND, READ
    } rows[] = {
        {A::Accept, 2000000, true, nullptr, 2},
        {A::RoundUp, 2000001, true, nullptr, 2},
        {A::KeepOwn, 2000000, true, "reports layer 0 of 2086912 sectors instead of 2000000", 2},
        {A::Refuse, 2000000, true,
         "refused layer 0 of 2000000 sectors: ILLEGAL REQUEST, invalid field in command block (5/24/00)", 1},
        {A::LoseMedium, 2000000, true, "NOT READY, no medium in the drive (2/3A/00)", 2},
        {A::Accept, 2000000, false,
         "could not be had again for the write, nothing was written: the drive is busy", 2},
    };
    for (const auto &row : rows) {
        FakeDrive drive;
        drive.answer = row.answer;
        const FlowRun run = settle(drive, true, row.planned, row.grabWorks);
        SCOPED_TRACE(row.failure ? row.failure : "taken");
        ASSERT_EQ(drive.commands.size(), row.commands);
        EXPECT_EQ(drive.commands[0], bytesOf(mmc::sendLayerBoundaryCdb()));
        if (row.commands > 1) {
            EXPECT_EQ(drive.commands[1], bytesOf(mmc::readLayerBoundaryCdb()));
        }
        EXPECT_TRUE(drive.closed);
        if (row.failure) {
            ASSERT_TRUE(run.failure);
            EXPECT_NE(run.failure->find(row.failure), std::string::npos) << *run.failure;
            EXPECT_NE(run.failure->find("nothing was written"), std::string::npos);
            EXPECT_EQ(run.grabbedAgain, !row.grabWorks);
        } else {
            ASSERT_FALSE(run.failure) << *run.failure;
            EXPECT_TRUE(run.grabbedAgain);
            EXPECT_TRUE(run.closedBeforeGrab);
            ASSERT_FALSE(run.log.empty());
            EXPECT_EQ(run.log.back(), "The drive took the layer break at sector " +
                                          std::to_string((row.planned + 15) / 16 * 16));
        }
    }
}

// DVD-R DL: the drive only says where its break falls; nothing is sent.
TEST(DriveLayerBreak, DvdMinusRDlReportsTheDrivesBreak)
{
    const struct
    {
        bool mediumLost;
        std::vector<int64_t> cellStarts;
        const char *logged;
    } rows[] = {
        {false,
         {1000000, 2086912},
         "The drive puts the layer break at sector 2086912, a cell start of the main title"},
        {false,
         {2086896},
         "at sector 2086912, not a cell start of the main title: a player may pause mid-scene"},
        {true,
         {},
         "not known: the drive did not report its layer boundary: NOT READY, no medium in the drive"},
    };
    for (const auto &row : rows) {
        FakeDrive drive;
        drive.mediumLost = row.mediumLost;
        const FlowRun run = settle(drive, false, 2085856, true, row.cellStarts);
        EXPECT_FALSE(run.failure);
        ASSERT_EQ(drive.commands, std::vector<Bytes>{bytesOf(mmc::readLayerBoundaryCdb())});
        ASSERT_EQ(run.log.size(), 1u);
        EXPECT_NE(run.log[0].find(row.logged), std::string::npos) << run.log[0];
    }
}

} // namespace
