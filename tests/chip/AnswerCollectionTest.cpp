// Answers that reach the host in pieces are gathered whole before they are used.
#include "support/ChipRig.h"

#include <gtest/gtest.h>

namespace tarnwick::test {
namespace {

TEST(AnswerCollectionTest, StatusAnswersInOneBytePiecesGiveTheRightRegisters)
{
    ChipRig rig;
    rig.device.QueueAnswer(ScriptedAnswer{{{0x00}}, {{0x1C}, 5}, {{0xFF}, 300}});
    rig.device.QueueAnswer(ScriptedAnswer{{{0x02}}, {{0xFF}, 900}});

    const StatusPair status = rig.chip.ReadStatus();

    EXPECT_TRUE(status.Valid);
    EXPECT_EQ(status.Status1, 0x1C);
    EXPECT_EQ(status.Status2, 0x02);
    EXPECT_TRUE(rig.LogLines().empty());
}

// Taken as a whole answer, the first piece would leave five bytes queued to begin the next
// answer, and every later chunk would land shifted.
TEST(AnswerCollectionTest, SplitReadAnswerIsNotShiftedIntoTheNextChunk)
{
    ChipRig rig;
    rig.device.QueueAnswer(ScriptedAnswer{{{0xB0, 0xB1, 0xB2}}, {{0xB3, 0xB4, 0xB5, 0xB6, 0xB7}, 2}});
    rig.device.QueueAnswer({0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7});

    EXPECT_TRUE(rig.chip.ReadData(0, 15));

    EXPECT_EQ(Hex(rig.Image().first(16)), "B7 B6 B5 B4 B3 B2 B1 B0 C7 C6 C5 C4 C3 C2 C1 C0");
}

// Bytes past the asked count in the same piece were not asked for; the next answer only
// starts after its own fetch, so they are dropped rather than kept for it.
TEST(AnswerCollectionTest, SurplusBytesOfAPieceAreDropped)
{
    ChipRig rig;
    rig.device.QueueAnswer({0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xEE, 0xEE});
    rig.device.QueueAnswer({0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7});

    EXPECT_TRUE(rig.chip.ReadData(0, 15));

    EXPECT_EQ(Hex(rig.Image().first(16)), "B7 B6 B5 B4 B3 B2 B1 B0 C7 C6 C5 C4 C3 C2 C1 C0");
}

// Every piece comes within one ReceivePacket's looks, but the whole answer takes longer
// than one answer's budget: a trickle must not stretch the wait without end.
TEST(AnswerCollectionTest, AnswerStillShortWhenTheBudgetIsSpentFails)
{
    ChipRig rig;
    rig.device.PassRealTimeInLooks();
    constexpr int kLooksBetweenPieces = 600;  // of at least 1 ms each: two gaps pass the 1 s budget
    rig.device.QueueAnswer(ScriptedAnswer{{{0x00}, kLooksBetweenPieces},
                                          {{0x1C}, kLooksBetweenPieces},
                                          {{0x00}, kLooksBetweenPieces}});

    EXPECT_FALSE(rig.chip.ReadStatus().Valid);

    EXPECT_EQ(rig.LogLines(), (std::vector<std::string>{"Error receiving the packet.", "The COM-port is close."}));
    EXPECT_EQ(rig.device.Looks(), 2 * kLooksBetweenPieces);
}

}  // namespace
}  // namespace tarnwick::test
