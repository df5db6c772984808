#include "sim/Bridge.h"

#include <gtest/gtest.h>

#include "tests/sim/ChipSession.h"

namespace tarnwick::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kConfiguration{0x0A, 0x08, 0x02, 0x42, 0x08, 0x40, 0x04, 0x48};

class BridgeTest : public ::testing::Test {
 protected:
  BridgeTest() {
    bridge.SetPacketHook([this](const BridgePacket& packet) { packets.push_back(packet); });
  }
  Bytes Feed(const Bytes& bytes) { return bridge.Feed(bytes); }

  W25qChip chip{64, BusyTiming::Zero, true};
  std::chrono::microseconds now{0};
  Bridge bridge{chip, [this] { return now; }};
  std::vector<BridgePacket> packets;
};

// A JEDEC ID read as a host sends it: the instruction rides in the last payload byte.
const Bytes kJedecExchange{0x42, 0x20, 0x47, 0x44, 0x00, 0x00, 0x00, 0x9F, 0x46, 0x45, 0x48, 0x45};
const Bytes kJedecAnswers{0x17, 0x40, 0xEF, 0xFF, 0x17, 0x40, 0xEF, 0xFF};

TEST_F(BridgeTest, PayloadGoesOutLastByteFirst) {
  Feed({0x42, 0x20, 0x47, 0x44, 0x00, 0x10, 0x02, 0x20, 0x46});
  ASSERT_EQ(packets.back().command, BridgeCommand::Transfer);
  EXPECT_EQ(packets.back().busOut, (Bytes{0x20, 0x02, 0x10, 0x00}));
}

TEST_F(BridgeTest, AnswerIsReversedAndRepeatedAfterDeselect) {
  EXPECT_EQ(Feed(kJedecExchange), kJedecAnswers);
}

TEST_F(BridgeTest, CommandsSplitAtAnyByteGiveTheSameAnswers) {
  Bytes stream = kConfiguration;
  stream.insert(stream.end(), kJedecExchange.begin(), kJedecExchange.end());
  for (std::size_t cut = 1; cut < stream.size(); ++cut) {
    W25qChip freshChip{64, BusyTiming::Zero, true};
    Bridge fresh{freshChip, [] { return std::chrono::microseconds{0}; }};
    Bytes answers = fresh.Feed(std::span(stream).first(cut));
    const Bytes rest = fresh.Feed(std::span(stream).subspan(cut));
    answers.insert(answers.end(), rest.begin(), rest.end());
    EXPECT_EQ(answers, kJedecAnswers) << "split after byte " << cut;
  }
}

TEST_F(BridgeTest, ReadsDataThroughEightByteTransfers) {
  const Bytes data{1, 2, 3, 4, 5, 6, 7, 8};
  chip.WriteArray(0x123456, data);
  const Bytes answer = Feed({0x42, 0x20, 0x47, 0x44, 0x56, 0x34, 0x12, 0x03, 0x46,
                             0x42, 0x40, 0x46, 0x45, 0x48});
  EXPECT_EQ(answer, (Bytes{8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(packets[packets.size() - 3].busOut, Bytes(8, 0x00)) << "F without D sends zeros";
}

struct LengthCase {
  std::uint8_t bits;
  std::size_t answerLength;
};

class TransferLengthTest : public BridgeTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(TransferLengthTest, BSetsTheLengthOfLoadTransferAndAnswer) {
  Bytes stream{0x42, GetParam().bits, 0x47, 0x44};
  stream.insert(stream.end(), GetParam().answerLength, 0x00);
  stream.insert(stream.end(), {0x46, 0x45});
  EXPECT_EQ(Feed(stream).size(), GetParam().answerLength);
  EXPECT_TRUE(packets.front().warning.empty());
}

INSTANTIATE_TEST_SUITE_P(Supported, TransferLengthTest,
                         ::testing::Values(LengthCase{0x08, 1}, LengthCase{0x18, 3},
                                           LengthCase{0x20, 4}, LengthCase{0x40, 8}),
                         [](const auto& info) { return std::to_string(info.param.bits) + "Bits"; });

struct WarningCase {
  const char* name;
  Bytes stream;
  BridgeCommand command;
  const char* warning;
};

class BridgeWarningTest : public BridgeTest, public ::testing::WithParamInterface<WarningCase> {};

TEST_P(BridgeWarningTest, OddInputIsReportedAndSkipped) {
  const Bytes answer = Feed(GetParam().stream);
  ASSERT_FALSE(packets.empty());
  EXPECT_EQ(packets.front().command, GetParam().command);
  EXPECT_NE(packets.front().warning.find(GetParam().warning), std::string::npos)
      << packets.front().warning;
  // Parsing continues: the trailing E is still answered with the current length.
  EXPECT_EQ(answer.size(), bridge.TransferLength());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BridgeWarningTest,
    ::testing::Values(
        WarningCase{"Configuration", {0x0A, 0, 0, 0, 0, 0, 0, 0, 0x45}, BridgeCommand::Configure,
                    "configuration"},
        WarningCase{"Length", {0x42, 0x0C, 0x45}, BridgeCommand::SetLength, "12 bits"},
        WarningCase{"UnknownByte", {0x99, 0x45}, BridgeCommand::Unknown, "unknown"},
        WarningCase{"TransferUnselected", {0x46, 0x45}, BridgeCommand::Transfer, "not selected"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BridgeTest, UnsupportedLengthKeepsThePreviousOne) {
  Feed({0x42, 0x20, 0x42, 0x48});
  EXPECT_EQ(bridge.TransferLength(), 4u);
}

TEST_F(BridgeTest, TwoByteTransfersAreTaken) {
  Feed({0x42, 0x10});
  EXPECT_EQ(bridge.TransferLength(), 2u);
}

TEST_F(BridgeTest, CorrectConfigurationIsNotWarnedAbout) {
  Feed(kConfiguration);
  ASSERT_EQ(packets.size(), 1u);
  EXPECT_EQ(packets[0].command, BridgeCommand::Configure);
  EXPECT_TRUE(packets[0].warning.empty());
}

TEST_F(BridgeTest, ChipExecutesOnDeselect) {
  const Bytes zero{0x00};
  chip.WriteArray(0, zero);
  Feed({0x42, 0x08, 0x47, 0x44, 0x06, 0x46, 0x48,               // write enable
        0x42, 0x20, 0x47, 0x44, 0x00, 0x00, 0x00, 0x20, 0x46});  // erase, chip select still low
  EXPECT_EQ(chip.ReadArray(0, 1)[0], 0x00);
  Feed({0x48});
  EXPECT_EQ(chip.ReadArray(0, 1)[0], 0xFF);
}

}  // namespace
}  // namespace tarnwick::sim
