#include "sim/BlockProtection.h"

#include <gtest/gtest.h>

namespace tarnwick::sim {
namespace {

constexpr std::uint8_t kSec = 0x40;
constexpr std::uint8_t kTb = 0x20;
constexpr std::uint8_t kCmp = 0x40;
constexpr std::uint8_t Bp(unsigned bits) { return static_cast<std::uint8_t>(bits << 2); }

struct ProtectionCase {
  const char* name;
  int sizeMbit;
  std::uint8_t status1;
  std::uint8_t status2;
  std::uint32_t firstProtected;    // inside the protected part
  std::uint32_t firstUnprotected;  // just across its edge
};

class BlockProtectionTest : public ::testing::TestWithParam<ProtectionCase> {};

TEST_P(BlockProtectionTest, EdgeOfTheProtectedRange) {
  const auto& c = GetParam();
  const BlockProtection protection(static_cast<std::uint32_t>(c.sizeMbit) * 1024 * 1024 / 8,
                                   c.status1, c.status2);
  EXPECT_TRUE(protection.Covers(c.firstProtected));
  EXPECT_FALSE(protection.Covers(c.firstUnprotected));
}

// Rows from the status-register memory protection tables (W25Q64, and the block-sized
// steps of the smaller parts).
INSTANTIATE_TEST_SUITE_P(
    Table, BlockProtectionTest,
    ::testing::Values(
        ProtectionCase{"Upper64th", 64, Bp(0b001), 0, 0x7E0000, 0x7DFFFF},
        ProtectionCase{"UpperHalf", 64, Bp(0b110), 0, 0x400000, 0x3FFFFF},
        ProtectionCase{"Lower64th", 64, kTb | Bp(0b001), 0, 0x01FFFF, 0x020000},
        ProtectionCase{"Lower4th", 64, kTb | Bp(0b101), 0, 0x1FFFFF, 0x200000},
        ProtectionCase{"Upper4KiBSector", 64, kSec | Bp(0b001), 0, 0x7FF000, 0x7FEFFF},
        ProtectionCase{"Lower16KiB", 64, kSec | kTb | Bp(0b011), 0, 0x003FFF, 0x004000},
        ProtectionCase{"Upper32KiB", 64, kSec | Bp(0b101), 0, 0x7F8000, 0x7F7FFF},
        ProtectionCase{"ComplementUpper64th", 64, Bp(0b001), kCmp, 0x7DFFFF, 0x7E0000},
        ProtectionCase{"ComplementLower4KiB", 64, kSec | kTb | Bp(0b001), kCmp, 0x001000, 0x000FFF},
        ProtectionCase{"Q32UpperBlock", 32, Bp(0b001), 0, 0x3F0000, 0x3EFFFF},
        ProtectionCase{"Q16UpperHalf", 16, Bp(0b101), 0, 0x100000, 0x0FFFFF},
        ProtectionCase{"Q08LowerQuarter", 8, kTb | Bp(0b011), 0, 0x03FFFF, 0x040000}),
    [](const auto& info) { return std::string(info.param.name); });

struct WholeCase {
  const char* name;
  std::uint8_t status1;
  std::uint8_t status2;
  bool allProtected;
};

class WholeArrayTest : public ::testing::TestWithParam<WholeCase> {};

TEST_P(WholeArrayTest, BothEndsAgree) {
  const BlockProtection protection(8 * 1024 * 1024, GetParam().status1, GetParam().status2);
  EXPECT_EQ(protection.Covers(0), GetParam().allProtected);
  EXPECT_EQ(protection.Covers(0x7FFFFF), GetParam().allProtected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WholeArrayTest,
    ::testing::Values(WholeCase{"NoBits", 0, 0, false}, WholeCase{"All", Bp(0b111), 0, true},
                      WholeCase{"AllEvenWithSec", kSec | Bp(0b111), 0, true},
                      WholeCase{"ComplementOfNone", 0, kCmp, true},
                      WholeCase{"ComplementOfAll", Bp(0b111), kCmp, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BlockProtection, SmallPartReachesTheWholeArrayBeforeBp111) {
  const BlockProtection protection(1024 * 1024, Bp(0b101), 0);  // W25Q08: 64 KiB << 4 = 1 MiB
  EXPECT_TRUE(protection.Covers(0));
}

}  // namespace
}  // namespace tarnwick::sim
