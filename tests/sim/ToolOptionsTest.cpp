#include "sim/ToolOptions.h"

#include <gtest/gtest.h>

namespace tarnwick::sim {
namespace {

ToolOptions Parse(std::vector<std::string_view> args) { return ParseToolOptions(args); }

TEST(ToolOptions, DefaultsWithoutArguments) {
  const ToolOptions options = Parse({});
  EXPECT_EQ(options.sim.sizeMbit, 64);
  EXPECT_EQ(options.sim.timing, BusyTiming::Zero);
  EXPECT_FALSE(options.sim.lineRate);
  EXPECT_TRUE(options.sim.writeProtectHigh);
  EXPECT_FALSE(options.help);
}

TEST(ToolOptions, EveryOptionLandsInItsField) {
  const ToolOptions options =
      Parse({"--size", "16", "--timing=max", "--line-rate", "--wp", "low", "--contents", "c.bin",
             "--link", "/tmp/port", "--trace", "-", "--no-answer", "--split", "3:1500",
             "--unasked", "55aA:7", "--unplug-after", "9"});
  const SimOptions& sim = options.sim;
  EXPECT_EQ(sim.sizeMbit, 16);
  EXPECT_EQ(sim.timing, BusyTiming::Maximum);
  EXPECT_TRUE(sim.lineRate);
  EXPECT_FALSE(sim.writeProtectHigh);
  EXPECT_EQ(sim.contentsFile, "c.bin");
  EXPECT_EQ(sim.linkPath, "/tmp/port");
  EXPECT_EQ(options.traceFile, "-");
  EXPECT_TRUE(sim.noAnswer);
  EXPECT_EQ(sim.splitAnswerAfter, 3u);
  EXPECT_EQ(sim.splitDelay, std::chrono::microseconds{1500});
  EXPECT_EQ(sim.unaskedBytes, (std::vector<std::uint8_t>{0x55, 0xAA}));
  EXPECT_EQ(sim.unaskedAfterPacket, 7u);
  EXPECT_EQ(sim.unplugAfterPackets, 9u);
}

TEST(ToolOptions, HelpIsRecognised) {
  EXPECT_TRUE(Parse({"--help"}).help);
  EXPECT_TRUE(Parse({"-h"}).help);
}

class BadToolOptionsTest : public ::testing::TestWithParam<std::vector<std::string_view>> {};

TEST_P(BadToolOptionsTest, IsAUsageError) {
  EXPECT_THROW(ParseToolOptions(GetParam()), UsageError);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadToolOptionsTest,
    ::testing::Values(std::vector<std::string_view>{"--size", "12"},
                      std::vector<std::string_view>{"--size", "6x"},
                      std::vector<std::string_view>{"--size"},
                      std::vector<std::string_view>{"--timing", "slow"},
                      std::vector<std::string_view>{"--wp", "middle"},
                      std::vector<std::string_view>{"--split", "3"},
                      std::vector<std::string_view>{"--split", "0:100"},
                      std::vector<std::string_view>{"--unasked", "5:1"},
                      std::vector<std::string_view>{"--unasked", "zz:1"},
                      std::vector<std::string_view>{"--unplug-after", "0"},
                      std::vector<std::string_view>{"--bogus"},
                      std::vector<std::string_view>{"stray"}));

}  // namespace
}  // namespace tarnwick::sim
