// The failure road: the code, the progress display closed, the disconnect, and nothing
// sent after the failing step.
#include "support/ChipRig.h"

#include <gtest/gtest.h>

namespace tarnwick::test {
namespace {

using Trace = std::vector<std::string>;
using Sequence = bool (*)(W25qxx&);

bool WriteEnable(W25qxx& chip) { return chip.WriteEnable(); }
bool WriteStatus(W25qxx& chip) { return chip.WriteStatus(0x00, 0x00); }
bool ReadStatus(W25qxx& chip) { return chip.ReadStatus().Valid; }
bool SectorErase(W25qxx& chip) { return chip.SectorErase(0x1000); }
bool PageProgram(W25qxx& chip) { return chip.PageProgram(0x100); }
bool ReadData(W25qxx& chip) { return chip.ReadData(0, 4095); }

std::vector<std::uint8_t> AnyChunk() { return {0, 1, 2, 3, 4, 5, 6, 7}; }

struct WriteFailure {
    std::string name;
    Sequence run;
    std::size_t failingWrite;  // numbered from 0
};

void PrintTo(const WriteFailure& c, std::ostream* os) { *os << c.name; }

class WriteFailureTest : public testing::TestWithParam<WriteFailure> {};

TEST_P(WriteFailureTest, LogsCode17ClosesProgressDisconnectsAndSendsNothingMore)
{
    ChipRig rig;
    rig.device.AnswerEveryFetchWith(AnyChunk());
    rig.device.FailWrite(GetParam().failingWrite);

    EXPECT_FALSE(GetParam().run(rig.chip));

    EXPECT_EQ(rig.device.Packets().size(), GetParam().failingWrite + 1);
    const Trace& trace = rig.Trace();
    ASSERT_GE(trace.size(), 3U);
    EXPECT_TRUE(trace[trace.size() - 3].ends_with("(write failed)")) << trace[trace.size() - 3];
    EXPECT_EQ(Trace(trace.end() - 2, trace.end()), (Trace{"progress closed", "disconnect"}));
    EXPECT_EQ(rig.LogLines(), (Trace{"Error loading the packet.", "The COM-port is close."}));
    EXPECT_FALSE(rig.port.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, WriteFailureTest,
    testing::Values(WriteFailure{"WriteEnableFirstPacket", WriteEnable, 0},
                    WriteFailure{"WriteStatusLoad", WriteStatus, 2},
                    WriteFailure{"ReadStatusFirstPacket", ReadStatus, 0},
                    WriteFailure{"ReadStatusSecondFetch", ReadStatus, 11},
                    WriteFailure{"SectorEraseDeselect", SectorErase, 4},
                    WriteFailure{"PageProgramTransferOfChunk10", PageProgram, 5 + 10 * 2 + 1},
                    WriteFailure{"PageProgramDeselect", PageProgram, 5 + 32 * 2},
                    WriteFailure{"ReadDataFetchOfTransfer2", ReadData, 5 + 2 * 2 + 1},
                    WriteFailure{"ReadDataDeselect", ReadData, 5 + 512 * 2}),
    [](const auto& info) { return info.param.name; });

TEST(WriteFailureTest, NoWaitFollowsAFailedStatusWrite)
{
    ChipRig rig;
    rig.device.FailWrite(4);

    EXPECT_FALSE(rig.chip.WriteStatus(0x00, 0x00));

    EXPECT_EQ(rig.Trace(), (Trace{"42 18", "47", "44 00 00 01", "46", "48 (write failed)", "progress closed",
                                  "disconnect"}));
}

struct AnswerFailure {
    std::string name;
    Sequence run;
    std::vector<ScriptedAnswer> answers;  // in the order the fetches come
    std::size_t fetchesSent;
};

void PrintTo(const AnswerFailure& c, std::ostream* os) { *os << c.name; }

class AnswerFailureTest : public testing::TestWithParam<AnswerFailure> {};

// An answer that is empty or stays short is a failed exchange: never padded, never shifted
// into the next one.
TEST_P(AnswerFailureTest, LogsCode33ClosesProgressDisconnectsAndSendsNothingMore)
{
    ChipRig rig;
    for (const auto& answer : GetParam().answers)
        rig.device.QueueAnswer(answer);

    EXPECT_FALSE(GetParam().run(rig.chip));

    const Trace& trace = rig.Trace();
    ASSERT_GE(trace.size(), 3U);
    EXPECT_EQ(Trace(trace.end() - 3, trace.end()), (Trace{"45", "progress closed", "disconnect"}));
    EXPECT_EQ(std::ranges::count(rig.device.Packets(), std::vector<std::uint8_t>{0x45}),
              static_cast<std::int64_t>(GetParam().fetchesSent));
    EXPECT_EQ(rig.LogLines(), (Trace{"Error receiving the packet.", "The COM-port is close."}));
    EXPECT_FALSE(rig.port.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, AnswerFailureTest,
    testing::Values(AnswerFailure{"ReadStatusEmpty", ReadStatus, {ScriptedAnswer{}}, 1},
                    AnswerFailure{"ReadStatusShortOf05Answer", ReadStatus, {{{{0x00, 0x1C}}}}, 1},
                    AnswerFailure{"ReadStatusEmpty35Answer", ReadStatus, {{{{0x00, 0x1C, 0x00}}}, ScriptedAnswer{}}, 2},
                    AnswerFailure{"ReadStatusShortOf35Answer", ReadStatus, {{{{0x00, 0x1C, 0x00}}}, {{{0x02}}}}, 2},
                    AnswerFailure{"ReadDataFirstEmpty", ReadData, {ScriptedAnswer{}}, 1},
                    AnswerFailure{"ReadDataThirdShort", ReadData, {{{AnyChunk()}}, {{AnyChunk()}}, {{{1, 2, 3, 4, 5}}}}, 3}),
    [](const auto& info) { return info.param.name; });

TEST(AnswerFailureTest, BytesReadBeforeTheFailureStayInTheImage)
{
    ChipRig rig;
    rig.device.QueueAnswer({0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7});
    rig.device.QueueAnswer(ScriptedAnswer{});

    EXPECT_FALSE(rig.chip.ReadData(0, 4095));

    EXPECT_EQ(Hex(rig.Image().first(16)), "B7 B6 B5 B4 B3 B2 B1 B0 00 00 00 00 00 00 00 00");
    EXPECT_EQ(rig.progress.Positions(), (std::vector<int>{0}));
}

}  // namespace
}  // namespace tarnwick::test
