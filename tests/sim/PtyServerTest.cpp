#include "sim/PtyServer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/SerialLine.h"
#include "tests/sim/HostPort.h"

namespace tarnwick::sim {
namespace {

using testing::Eventually;
using testing::HostPort;
using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

const Bytes kConfiguration{0x0A, 0x08, 0x02, 0x42, 0x08, 0x40, 0x04, 0x48};
// Selects the chip and reads the JEDEC ID; the E's answer is 17 40 EF FF.
const Bytes kJedecRead{0x42, 0x20, 0x47, 0x44, 0x00, 0x00, 0x00, 0x9F, 0x46, 0x48, 0x45};
const Bytes kJedecAnswer{0x17, 0x40, 0xEF, 0xFF};

class PtyServerTest : public ::testing::Test {
 protected:
  void Serve(SimOptions options) {
    server = std::make_unique<PtyServer>(std::move(options));
    server->Start();
    host = std::make_unique<HostPort>(server->DevicePath());
    ASSERT_TRUE(host->Valid());
  }
  void ServeConfigured(SimOptions options) {
    Serve(std::move(options));
    ASSERT_TRUE(host->Configure(true));
    ASSERT_TRUE(host->Write(kConfiguration));
  }

  std::unique_ptr<PtyServer> server;
  std::unique_ptr<HostPort> host;
};

TEST_F(PtyServerTest, AnswersAnE) {
  ServeConfigured({});
  ASSERT_TRUE(host->Write(kJedecRead));
  EXPECT_EQ(host->Read(4, 2s).bytes, kJedecAnswer);
  EXPECT_EQ(server->ConfigurationsSeen(), 1u);
  EXPECT_EQ(server->PacketsSeen(), 7u);  // configuration, then B G D F H E
}

TEST_F(PtyServerTest, ProgramsThroughTheHostAndIsSeenInTheArray) {
  ServeConfigured({});
  ASSERT_TRUE(host->Write({0x42, 0x08, 0x47, 0x44, 0x06, 0x46, 0x48,           // write enable
                           0x42, 0x20, 0x47, 0x44, 0x00, 0x10, 0x00, 0x02, 0x46,  // program 0x1000
                           0x42, 0x08, 0x44, 0x5A, 0x46, 0x48}));
  EXPECT_TRUE(Eventually([&] { return server->ReadArray(0x1000, 1)[0] == 0x5A; }));
  EXPECT_EQ(server->Status1(), 0x00);
}

struct SettingsCase {
  const char* name;
  bool rightSettings;
  const char* mentions;  // nullptr: no warning expected
};

class SettingsWarningTest : public PtyServerTest,
                            public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(SettingsWarningTest, WarnsOnlyAboutWrongLineSettings) {
  std::ostringstream trace;
  SimOptions options;
  options.trace = &trace;
  Serve(options);
  ASSERT_TRUE(host->Configure(GetParam().rightSettings));
  ASSERT_TRUE(host->Write({0x47, 0x48}));
  ASSERT_TRUE(host->Write({0x47, 0x48}));
  ASSERT_TRUE(Eventually([&] { return server->PacketsSeen() == 4; }));
  const auto warnings = server->SettingsWarnings();
  if (GetParam().mentions == nullptr) {
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    return;
  }
  ASSERT_EQ(warnings.size(), 1u) << "once per distinct setting";
  EXPECT_NE(warnings[0].find(GetParam().mentions), std::string::npos) << warnings[0];
  EXPECT_NE(warnings[0].find("CSTOPB"), std::string::npos) << warnings[0];
  server->Stop();
  EXPECT_NE(trace.str().find("line settings"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsWarningTest,
                         ::testing::Values(SettingsCase{"Right", true, nullptr},
                                           SettingsCase{"SlowOneStopBit", false, "9600"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PtyServerTest, SplitAnswerArrivesInTwoPieces) {
  SimOptions options;
  options.splitAnswerAfter = 1;
  options.splitDelay = 200ms;  // long enough that the host's reads cannot merge the pieces
  ServeConfigured(options);
  const auto sent = HostPort::Clock::now();
  ASSERT_TRUE(host->Write(kJedecRead));
  const auto received = host->Read(4, 2s);
  ASSERT_EQ(received.bytes, kJedecAnswer);
  EXPECT_LT(received.times[0], received.times[1]) << "the first byte came in a read of its own";
  EXPECT_GE(received.times[1] - sent, 200ms);
}

TEST_F(PtyServerTest, NoAnswerFaultLeavesEUnanswered) {
  SimOptions options;
  options.noAnswer = true;
  ServeConfigured(options);
  ASSERT_TRUE(host->Write(kJedecRead));
  ASSERT_TRUE(Eventually([&] { return server->PacketsSeen() == 7; }));
  EXPECT_TRUE(host->Read(1, 100ms).bytes.empty());
}

TEST_F(PtyServerTest, UnaskedBytesFollowTheirPacket) {
  SimOptions options;
  options.unaskedBytes = {0xAA, 0x55};
  options.unaskedAfterPacket = 2;
  ServeConfigured(options);
  ASSERT_TRUE(host->Write({0x47}));
  EXPECT_EQ(host->Read(2, 2s).bytes, (Bytes{0xAA, 0x55}));
}

struct UnplugCase {
  const char* name;
  bool byOption;
};

class UnplugTest : public PtyServerTest, public ::testing::WithParamInterface<UnplugCase> {};

TEST_P(UnplugTest, HostReadFailsOnceUnplugged) {
  SimOptions options;
  if (GetParam().byOption) options.unplugAfterPackets = 2;
  ServeConfigured(options);
  ASSERT_TRUE(host->Write({0x47}));
  if (!GetParam().byOption) {
    ASSERT_TRUE(Eventually([&] { return server->PacketsSeen() == 2; }));
    server->Unplug();
  }
  const auto received = host->Read(1, 2s);
  EXPECT_TRUE(received.hungUp);
  EXPECT_TRUE(received.bytes.empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, UnplugTest,
                         ::testing::Values(UnplugCase{"AfterPackets", true},
                                           UnplugCase{"OnRequest", false}),
                         [](const auto& info) { return std::string(info.param.name); });

class ContentsFileTest : public ::testing::Test {
 protected:
  ContentsFileTest() {
    directory = std::filesystem::temp_directory_path() /
                ("tarnwick-sim-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    options.sizeMbit = 8;
    options.contentsFile = (directory / "chip.bin").string();
  }
  ~ContentsFileTest() override { std::filesystem::remove_all(directory); }

  std::filesystem::path directory;
  SimOptions options;
};

TEST_F(ContentsFileTest, ContentsSurviveARestart) {
  const Bytes data{0x12, 0x34};
  {
    PtyServer first(options);
    first.WriteArray(0x0FFFFE, data);
    first.Start();
    // Saved while still running, so that a killed simulator would keep it too.
    EXPECT_TRUE(Eventually([&] { return std::filesystem::exists(options.contentsFile); }));
  }
  PtyServer second(options);
  EXPECT_EQ(second.ReadArray(0x0FFFFE, 2), data);
  EXPECT_EQ(second.ReadArray(0, 1)[0], 0xFF);
}

TEST_F(ContentsFileTest, FileOfAnotherSizeIsNotLoaded) {
  std::ofstream(options.contentsFile, std::ios::binary) << std::string(100, '\0');
  PtyServer server(options);
  EXPECT_EQ(server.ReadArray(0, 1)[0], 0xFF);
}

TEST_F(PtyServerTest, LineRateDeliversTheAnswerNoFasterThanTheWire) {
  SimOptions options;
  options.lineRate = true;
  ServeConfigured(options);
  // Eight-byte read, as the host's polling loop does it: F, a pause, then E.
  ASSERT_TRUE(host->Write({0x42, 0x40, 0x47, 0x46}));
  ASSERT_TRUE(Eventually([&] { return server->PacketsSeen() == 4; }));
  const auto sent = HostPort::Clock::now();
  ASSERT_TRUE(host->Write({0x45}));
  const auto received = host->Read(8, 2s);
  ASSERT_EQ(received.bytes.size(), 8u);
  constexpr auto kByte = SerialLine::kByteTime;
  EXPECT_GE(received.times.front() - sent, 2 * kByte) << "E itself, then the first answer byte";
  EXPECT_GE(received.times.back() - sent, 9 * kByte);
}

}  // namespace
}  // namespace tarnwick::sim
