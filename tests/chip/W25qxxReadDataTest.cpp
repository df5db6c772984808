// ReadData: where the answers land in the image, the progress positions and the guards.
#include "support/ChipRig.h"

#include <gtest/gtest.h>

namespace tarnwick::test {
namespace {

using Trace = std::vector<std::string>;

constexpr std::uint8_t kUntouched = 0xA5;

class ReadDataTest : public testing::Test {
protected:
    void FillImage(std::uint8_t value) { std::ranges::fill(rig.Image(), value); }

    ChipRig rig;
};

TEST_F(ReadDataTest, StoresFirstArrivedByteAtLowestAddressAndWaitsAfterEachTransfer)
{
    FillImage(kUntouched);
    rig.device.QueueAnswer({0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7});
    rig.device.QueueAnswer({0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7});

    EXPECT_TRUE(rig.chip.ReadData(0x1000, 0x100F));

    EXPECT_EQ(Hex(rig.Image().subspan(0x0FFF, 18)),
              "A5 B7 B6 B5 B4 B3 B2 B1 B0 C7 C6 C5 C4 C3 C2 C1 C0 A5");
    EXPECT_EQ(rig.Trace(), (Trace{"42 20", "47", "44 00 10 00 03", "46", "42 40",  //
                                  "46", "wait 2 ms", "45", "position 0",           //
                                  "46", "wait 2 ms", "45", "48"}));
}

TEST_F(ReadDataTest, EndBeforeStartSendsOnlyTheFrameAndStoresNothing)
{
    FillImage(kUntouched);

    EXPECT_TRUE(rig.chip.ReadData(0x2000, 0x1FFF));

    EXPECT_EQ(rig.Trace(), (Trace{"42 20", "47", "44 00 20 00 03", "46", "42 40", "48"}));
    EXPECT_TRUE(std::ranges::all_of(rig.Image(), [](std::uint8_t b) { return b == kUntouched; }));
}

struct ProgressCase {
    std::uint32_t start;
    std::uint32_t end;
    std::vector<int> positions;
};

void PrintTo(const ProgressCase& c, std::ostream* os) { *os << "ReadData(" << c.start << ", " << c.end << ")"; }

class ReadDataProgressTest : public testing::TestWithParam<ProgressCase> {};

// One position per 4 KiB boundary, set with that boundary's chunk; 100 never comes.
TEST_P(ReadDataProgressTest, SetsPositionAtEachSectorStart)
{
    ChipRig rig;
    rig.device.AnswerEveryFetchWith({0, 1, 2, 3, 4, 5, 6, 7});

    EXPECT_TRUE(rig.chip.ReadData(GetParam().start, GetParam().end));

    EXPECT_EQ(rig.progress.Positions(), GetParam().positions);
    const auto transfers = std::ranges::count(rig.device.Packets(), std::vector<std::uint8_t>{0x45});
    EXPECT_EQ(transfers, (std::int64_t{GetParam().end} - GetParam().start + 1) / 8);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ReadDataProgressTest,
    testing::Values(ProgressCase{0, 4095, {0}},
                    ProgressCase{0, 65535, {0, 6, 12, 18, 25, 31, 37, 43, 50, 56, 62, 68, 75, 81, 87, 93}},
                    ProgressCase{0x3000, 0x4FFF, {0, 50}},
                    ProgressCase{ChipImage::kCapacity - 8192, ChipImage::kCapacity - 1, {0, 50}}));

// A length that is not a multiple of 8: the last transfer still moves 8 bytes, but only
// those inside the range are stored, so the image end is never passed.
TEST_F(ReadDataTest, PartialLastChunkStoresOnlyTheRange)
{
    FillImage(kUntouched);
    rig.device.AnswerEveryFetchWith({0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7});
    constexpr std::uint32_t kStart = ChipImage::kCapacity - 16;

    EXPECT_TRUE(rig.chip.ReadData(kStart, kStart + 11));

    EXPECT_EQ(Hex(rig.Image().last(17)), "A5 B7 B6 B5 B4 B3 B2 B1 B0 B7 B6 B5 B4 A5 A5 A5 A5");
    EXPECT_EQ(rig.Trace().back(), "48");
}

struct RefusedRange {
    std::uint32_t start;
    std::uint32_t end;
};

void PrintTo(const RefusedRange& c, std::ostream* os) { *os << "ReadData(" << c.start << ", " << c.end << ")"; }

class ReadDataGuardTest : public testing::TestWithParam<RefusedRange> {};

TEST_P(ReadDataGuardTest, RangeReachingPastImageIsRefusedBeforeAnythingIsSent)
{
    ChipRig rig;
    rig.device.AnswerEveryFetchWith({0, 1, 2, 3, 4, 5, 6, 7});

    EXPECT_FALSE(rig.chip.ReadData(GetParam().start, GetParam().end));

    EXPECT_EQ(rig.Trace(), (Trace{"progress closed"}));
    EXPECT_TRUE(rig.LogLines().empty());
    EXPECT_TRUE(rig.port.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(Ranges, ReadDataGuardTest,
                         testing::Values(RefusedRange{ChipImage::kCapacity - 8, ChipImage::kCapacity + 7},
                                         RefusedRange{ChipImage::kCapacity, ChipImage::kCapacity},
                                         RefusedRange{0, 0xFFFFFFFF}));

TEST(PageProgramGuardTest, PageRunningPastImageIsRefusedBeforeAnythingIsSent)
{
    ChipRig rig;

    EXPECT_FALSE(rig.chip.PageProgram(ChipImage::kCapacity - 255));
    EXPECT_FALSE(rig.chip.PageProgram(0xFFFFFF00));

    EXPECT_EQ(rig.Trace(), (Trace{"progress closed", "progress closed"}));
    EXPECT_TRUE(rig.LogLines().empty());
    EXPECT_TRUE(rig.port.IsOpen());
}

}  // namespace
}  // namespace tarnwick::test
