#include "sim/LineSettings.h"

#include <gtest/gtest.h>

namespace tarnwick::sim {
namespace {

termios BridgeSettings() {
  termios settings{};
  cfmakeraw(&settings);
  cfsetispeed(&settings, B115200);
  cfsetospeed(&settings, B115200);
  settings.c_cflag |= CSTOPB | CLOCAL | CREAD;
  return settings;
}

TEST(LineSettings, RawBridgeSettingsPass) {
  EXPECT_EQ(DescribeWrongLineSettings(BridgeSettings()), "");
}

struct WrongCase {
  const char* name;
  void (*spoil)(termios&);
  const char* mentions;
};

class WrongLineSettingsTest : public ::testing::TestWithParam<WrongCase> {};

TEST_P(WrongLineSettingsTest, NamesWhatIsWrong) {
  termios settings = BridgeSettings();
  GetParam().spoil(settings);
  EXPECT_NE(DescribeWrongLineSettings(settings).find(GetParam().mentions), std::string::npos)
      << DescribeWrongLineSettings(settings);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrongLineSettingsTest,
    ::testing::Values(
        WrongCase{"Speed", [](termios& t) { cfsetospeed(&t, B9600); }, "out 9600"},
        WrongCase{"OneStopBit", [](termios& t) { t.c_cflag &= ~CSTOPB; }, "CSTOPB"},
        WrongCase{"SevenBits", [](termios& t) { t.c_cflag = (t.c_cflag & ~CSIZE) | CS7; }, "CS8"},
        WrongCase{"Parity", [](termios& t) { t.c_cflag |= PARENB; }, "PARENB"},
        WrongCase{"HardwareFlow", [](termios& t) { t.c_cflag |= CRTSCTS; }, "CRTSCTS"},
        WrongCase{"Canonical", [](termios& t) { t.c_lflag |= ICANON; }, "ICANON"},
        WrongCase{"Echo", [](termios& t) { t.c_lflag |= ECHO; }, "ECHO"},
        WrongCase{"CrToNl", [](termios& t) { t.c_iflag |= ICRNL; }, "ICRNL"},
        WrongCase{"SoftwareFlow", [](termios& t) { t.c_iflag |= IXON; }, "IXON"},
        WrongCase{"OutputProcessing", [](termios& t) { t.c_oflag |= OPOST; }, "OPOST"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick::sim
