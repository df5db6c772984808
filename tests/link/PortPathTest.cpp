#include "link/PortPath.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

struct PathCase {
    std::string path;
    std::optional<std::string> device;
};

class PortPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PortPathTest, MapsPortNameToDevice) { EXPECT_EQ(DeviceForPortPath(GetParam().path), GetParam().device); }

INSTANTIATE_TEST_SUITE_P(
    Names, PortPathTest,
    ::testing::Values(PathCase{"\\\\.\\COM1", "/dev/ttyS0"}, PathCase{"\\\\.\\COM10", "/dev/ttyS9"},
                      PathCase{"\\\\.\\com3", "/dev/ttyS2"}, PathCase{"\\\\.\\ttyUSB0", "/dev/ttyUSB0"},
                      PathCase{"\\\\.\\/dev/pts/7", "/dev/pts/7"}, PathCase{"\\\\.\\COM0", "/dev/COM0"},
                      PathCase{"\\\\.\\COMx", "/dev/COMx"}, PathCase{"\\\\.\\", std::nullopt},
                      PathCase{"\\\\.\\" + std::string(95, 'a'), "/dev/" + std::string(95, 'a')},
                      PathCase{"\\\\.\\" + std::string(96, 'a'), std::nullopt}));

}  // namespace
}  // namespace tarnwick
