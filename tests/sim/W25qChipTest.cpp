#include "sim/W25qChip.h"

#include <gtest/gtest.h>

#include "sim/StatusBits.h"
#include "tests/sim/ChipSession.h"

namespace tarnwick::sim {
namespace {

using testing::ChipSession;
using namespace std::chrono_literals;

constexpr std::uint8_t kBusy = status1::kBusy;
constexpr std::uint8_t kWel = status1::kWriteEnableLatch;

class W25qChipTest : public ::testing::Test {
 protected:
  W25qChip chip{64, BusyTiming::Zero, true};
  ChipSession session{chip};
};

// --- identity and addressing -------------------------------------------------------------

struct SizeCase {
  int sizeMbit;
  std::uint8_t capacityCode;
};

class ChipSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ChipSizeTest, JedecIdNamesWinbondAndTheCapacity) {
  W25qChip chip{GetParam().sizeMbit, BusyTiming::Zero, true};
  ChipSession session{chip};
  const auto out = session.Run({0x9F, 0, 0, 0});
  EXPECT_EQ(out, (std::vector<std::uint8_t>{0xFF, 0xEF, 0x40, GetParam().capacityCode}));
  EXPECT_EQ(chip.Size(), static_cast<std::uint32_t>(GetParam().sizeMbit) * 1024 * 1024 / 8);
}

TEST_P(ChipSizeTest, AddressBitsAboveTheSizeAreIgnored) {
  W25qChip chip{GetParam().sizeMbit, BusyTiming::Zero, true};
  ChipSession session{chip};
  const std::uint32_t beyond = chip.Size() + 0x1234;  // 24-bit, wraps onto 0x1234
  session.Program(beyond, {0x5A});
  EXPECT_EQ(chip.ReadArray(0x1234, 1)[0], 0x5A);
  EXPECT_EQ(session.Read(beyond, 1)[0], 0x5A);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, ChipSizeTest,
                         ::testing::Values(SizeCase{8, 0x14}, SizeCase{16, 0x15},
                                           SizeCase{32, 0x16}, SizeCase{64, 0x17}),
                         [](const auto& info) { return std::to_string(info.param.sizeMbit) + "Mbit"; });

TEST(ChipSize, UnsupportedSizeIsRefused) {
  EXPECT_THROW(W25qChip(128, BusyTiming::Zero, true), std::invalid_argument);
}

TEST_F(W25qChipTest, ReadIsContinuousAndWrapsAtTheEndOfTheArray) {
  const std::vector<std::uint8_t> tail{0x01, 0x02};
  const std::vector<std::uint8_t> head{0x03, 0x04};
  chip.WriteArray(chip.Size() - 2, tail);
  chip.WriteArray(0, head);
  EXPECT_EQ(session.Read(chip.Size() - 2, 4), (std::vector<std::uint8_t>{1, 2, 3, 4}));
}

// --- program and erase -------------------------------------------------------------------

TEST_F(W25qChipTest, ProgramOnlyClearsBits) {
  const std::vector<std::uint8_t> preset{0xF0, 0x0F};
  chip.WriteArray(0x100, preset);
  session.Program(0x100, {0x3C, 0xFF});
  EXPECT_EQ(chip.ReadArray(0x100, 2), (std::vector<std::uint8_t>{0x30, 0x0F}));
}

TEST_F(W25qChipTest, ProgramWrapsInsideItsPage) {
  session.Program(0x12FE, {0x11, 0x22, 0x33, 0x44});
  EXPECT_EQ(chip.ReadArray(0x12FE, 2), (std::vector<std::uint8_t>{0x11, 0x22}));
  EXPECT_EQ(chip.ReadArray(0x1200, 2), (std::vector<std::uint8_t>{0x33, 0x44}));
  EXPECT_EQ(chip.ReadArray(0x1300, 2), (std::vector<std::uint8_t>{0xFF, 0xFF}));
}

TEST_F(W25qChipTest, ProgramKeepsOnlyTheLast256DataBytes) {
  std::vector<std::uint8_t> data(258, 0xEE);
  data[0] = 0x00;  // overwritten by data[256] on the wrap
  data[1] = 0x00;  // overwritten by data[257]
  data[256] = 0xA5;
  data[257] = 0x5A;
  session.Program(0x4000, data);
  EXPECT_EQ(chip.ReadArray(0x4000, 3), (std::vector<std::uint8_t>{0xA5, 0x5A, 0xEE}));
  EXPECT_EQ(chip.ReadArray(0x40FF, 1)[0], 0xEE);
}

TEST_F(W25qChipTest, SectorEraseClearsTheWholeSectorAndNothingElse) {
  const std::vector<std::uint8_t> zeros(3 * W25qChip::kSectorSize, 0x00);
  chip.WriteArray(0x10000 - W25qChip::kSectorSize, zeros);
  session.Erase(0x10123);  // an address inside the sector names all of it
  EXPECT_EQ(chip.ReadArray(0x10000, W25qChip::kSectorSize),
            std::vector<std::uint8_t>(W25qChip::kSectorSize, 0xFF));
  EXPECT_EQ(chip.ReadArray(0x0FFFF, 1)[0], 0x00);
  EXPECT_EQ(chip.ReadArray(0x11000, 1)[0], 0x00);
}

TEST_F(W25qChipTest, InstructionCutShortIsIgnored) {
  session.WriteEnable();
  session.Run({0x02, 0x00, 0x01, 0x00});  // program without a data byte
  session.Run({0x20, 0x00, 0x00});        // erase with a two-byte address
  session.Run({0x01});                    // status write without a register
  EXPECT_EQ(session.Status1(), kWel);
  EXPECT_EQ(chip.ReadArray(0x100, 1)[0], 0xFF);
}

// --- write enable latch ------------------------------------------------------------------

struct WriteCase {
  const char* name;
  std::vector<std::uint8_t> instruction;
  std::uint32_t checkAddress;
  std::uint8_t expectedAfter;  // at checkAddress, or SR1 for the status write
};

class WriteEnableTest : public ::testing::TestWithParam<WriteCase> {
 protected:
  W25qChip chip{64, BusyTiming::Zero, true};
  ChipSession session{chip};
  std::uint8_t Observed() {
    if (GetParam().instruction[0] == 0x01) return session.Status1();
    return chip.ReadArray(GetParam().checkAddress, 1)[0];
  }
  void Preset() {
    const std::vector<std::uint8_t> zero{0x00};
    chip.WriteArray(0x2000, zero);  // something for the erase to undo
  }
};

TEST_P(WriteEnableTest, IsRefusedWithoutWriteEnable) {
  Preset();
  const std::uint8_t before = Observed();
  session.Run(GetParam().instruction);
  EXPECT_EQ(Observed(), before);
}

TEST_P(WriteEnableTest, IsTakenAfterWriteEnableAndClearsIt) {
  Preset();
  session.WriteEnable();
  ASSERT_EQ(session.Status1(), kWel);
  session.Run(GetParam().instruction);
  EXPECT_EQ(Observed(), GetParam().expectedAfter);
  EXPECT_EQ(session.Status1() & kWel, 0);
}

TEST_P(WriteEnableTest, IsRefusedAfterWriteDisable) {
  Preset();
  const std::uint8_t before = Observed();
  session.WriteEnable();
  session.Run({0x04});
  session.Run(GetParam().instruction);
  EXPECT_EQ(Observed(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Instructions, WriteEnableTest,
    ::testing::Values(WriteCase{"Program", {0x02, 0x00, 0x10, 0x00, 0x42}, 0x1000, 0x42},
                      WriteCase{"Erase", {0x20, 0x00, 0x20, 0x00}, 0x2000, 0xFF},
                      WriteCase{"WriteStatus", {0x01, 0x0C}, 0, 0x0C}),
    [](const auto& info) { return std::string(info.param.name); });

// --- BUSY --------------------------------------------------------------------------------

struct BusyCase {
  const char* name;
  BusyTiming timing;
  std::vector<std::uint8_t> instruction;
  W25qChip::Micros duration;
};

class BusyTest : public ::testing::TestWithParam<BusyCase> {};

TEST_P(BusyTest, ChipAnswersOnlyStatusReadsUntilTheOperationTimeHasPassed) {
  W25qChip chip{64, GetParam().timing, true};
  ChipSession session{chip};
  session.WriteEnable();
  session.Run(GetParam().instruction);

  session.now += GetParam().duration - 1us;
  EXPECT_EQ(session.Run({0x05, 0, 0, 0}), (std::vector<std::uint8_t>{0xFF, 0x03, 0x03, 0x03}))
      << "SR1 repeats and shows BUSY with WEL held until the end";
  EXPECT_EQ(session.Run({0x9F, 0, 0, 0}), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(session.Read(0x1000, 1)[0], 0xFF);
  session.Run({0x04});  // ignored: WEL must still read set while BUSY
  EXPECT_EQ(session.Status1(), kBusy | kWel);

  session.now += 1us;
  EXPECT_EQ(session.Status1(), 0x00);
  EXPECT_EQ(session.Run({0x9F, 0, 0, 0})[1], 0xEF);
}

INSTANTIATE_TEST_SUITE_P(
    Timings, BusyTest,
    ::testing::Values(
        BusyCase{"ProgramTypical", BusyTiming::Typical, {0x02, 0, 0x10, 0, 0x00}, 700us},
        BusyCase{"ProgramMaximum", BusyTiming::Maximum, {0x02, 0, 0x10, 0, 0x00}, 3ms},
        BusyCase{"EraseTypical", BusyTiming::Typical, {0x20, 0, 0x10, 0}, 45ms},
        BusyCase{"EraseMaximum", BusyTiming::Maximum, {0x20, 0, 0x10, 0}, 400ms},
        BusyCase{"StatusTypical", BusyTiming::Typical, {0x01, 0x00}, 10ms},
        BusyCase{"StatusMaximum", BusyTiming::Maximum, {0x01, 0x00}, 15ms}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(W25qChipTest, ZeroTimingNeverShowsBusy) {
  session.Erase(0);
  EXPECT_EQ(session.Status1(), 0x00);
}

// --- status registers --------------------------------------------------------------------

TEST_F(W25qChipTest, StatusReadsRepeatTheirRegister) {
  chip.SetStatus(0x1C, 0x42);
  EXPECT_EQ(session.Run({0x05, 0, 0, 0}), (std::vector<std::uint8_t>{0xFF, 0x1C, 0x1C, 0x1C}));
  EXPECT_EQ(session.Run({0x35, 0, 0}), (std::vector<std::uint8_t>{0xFF, 0x42, 0x42}));
}

TEST_F(W25qChipTest, WriteStatusWithOneByteLeavesStatus2) {
  chip.SetStatus(0x00, 0x42);
  session.WriteStatus({0x04});
  EXPECT_EQ(session.Status1(), 0x04);
  EXPECT_EQ(session.Status2(), 0x42);
}

TEST_F(W25qChipTest, WriteStatusLeavesReadOnlyBitsAlone) {
  session.WriteStatus({0xFF, 0xFF});
  EXPECT_EQ(session.Status1(), 0xFC) << "BUSY and WEL are not written";
  EXPECT_EQ(session.Status2(), 0x7B) << "SUS and S10 are not written";
}

TEST_F(W25qChipTest, LockBitsCannotBeClearedOnceSet) {
  session.WriteStatus({0x00, 0x38});
  session.WriteStatus({0x00, 0x00});
  EXPECT_EQ(session.Status2(), 0x38);
}

struct LockCase {
  std::uint8_t status1;  // SRP0 in bit 7
  std::uint8_t status2;  // SRP1 in bit 0
  bool writeProtectHigh;
  bool accepted;
};

class StatusLockTest : public ::testing::TestWithParam<LockCase> {};

TEST_P(StatusLockTest, StatusWriteFollowsSrpAndWriteProtectPin) {
  W25qChip chip{64, BusyTiming::Zero, GetParam().writeProtectHigh};
  ChipSession session{chip};
  chip.SetStatus(GetParam().status1, GetParam().status2);
  const auto withBp0 = static_cast<std::uint8_t>(GetParam().status1 | 0x04);
  session.WriteStatus({withBp0, GetParam().status2});
  const bool changed = (session.Status1() & 0x04) != 0;
  EXPECT_EQ(changed, GetParam().accepted);
  EXPECT_EQ(session.Status1() & kWel, 0) << "WEL is cleared whether or not the write was taken";
}

INSTANTIATE_TEST_SUITE_P(SrpAndWp, StatusLockTest,
                         ::testing::Values(LockCase{0x00, 0x00, false, true},
                                           LockCase{0x80, 0x00, true, true},
                                           LockCase{0x80, 0x00, false, false},
                                           LockCase{0x00, 0x01, true, false},
                                           LockCase{0x80, 0x01, true, false}),
                         [](const auto& info) {
                           const LockCase& c = info.param;
                           return "Srp1_" + std::to_string(c.status2 & 1) + "_Srp0_" +
                                  std::to_string(c.status1 >> 7) + "_Wp" +
                                  (c.writeProtectHigh ? "High" : "Low");
                         });

// --- block protection at the chip --------------------------------------------------------

TEST_F(W25qChipTest, ProtectedAreaIsNeitherProgrammedNorErasedButWelClears) {
  chip.SetStatus(0x04, 0x00);  // BP0: upper 1/64, 0x7E0000 onwards
  const std::vector<std::uint8_t> zero{0x00};
  chip.WriteArray(0x7E0000, zero);

  session.Erase(0x7E0000);
  EXPECT_EQ(chip.ReadArray(0x7E0000, 1)[0], 0x00);
  EXPECT_EQ(session.Status1(), 0x04);

  session.Program(0x7E0100, {0x00});
  EXPECT_EQ(chip.ReadArray(0x7E0100, 1)[0], 0xFF);
  EXPECT_EQ(session.Status1(), 0x04);

  session.Program(0x7DFF00, {0x00});  // just below the protected range
  EXPECT_EQ(chip.ReadArray(0x7DFF00, 1)[0], 0x00);
}

}  // namespace
}  // namespace tarnwick::sim
