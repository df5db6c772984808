#include "link/BridgeCommands.h"
#include "link/Portfunctions.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

#include <deque>

namespace tarnwick {
namespace {

using test::FixedClock;

enum class Step { Open, ReadSettings, ApplySettings, Write, None };

// A port that fails at the chosen step, records what was written and serves queued input.
class ScriptedDevice final : public SerialDevice {
public:
    Step failAt = Step::None;
    std::vector<std::vector<std::uint8_t>> writes;
    std::deque<std::uint8_t> input;
    int looks = 0;
    int waits = 0;
    bool open = false;
    bool purged = false;

    bool Open(const std::string& devicePath) override
    {
        openedPath = devicePath;
        open = failAt != Step::Open;
        return open;
    }
    bool ReadLineSettings() override { return failAt != Step::ReadSettings; }
    bool ApplyBridgeLineSettings() override { return failAt != Step::ApplySettings; }
    void PurgeQueues() override { purged = true; }
    void Close() override { open = false; }
    [[nodiscard]] bool IsOpen() const override { return open; }
    bool Write(std::span<const std::uint8_t> bytes) override
    {
        writes.emplace_back(bytes.begin(), bytes.end());
        return failAt != Step::Write;
    }
    std::size_t BytesWaiting() override
    {
        ++looks;
        return input.size();
    }
    std::size_t Read(std::span<std::uint8_t> into) override
    {
        std::size_t count = 0;
        for (; count < into.size() && !input.empty(); ++count) {
            into[count] = input.front();
            input.pop_front();
        }
        return count;
    }
    void WaitForInput(std::chrono::microseconds) override { ++waits; }

    std::string openedPath;
};

class PortfunctionsTest : public ::testing::Test {
protected:
    ScriptedDevice device;
    MemoryLogView view;
    FixedClock clock;
    Sendmsgfunctions log{view, clock};
    Portfunctions port{device, log};
};

struct OpenFailure {
    Step step;
    std::string line;
};

class OpenFailureTest : public PortfunctionsTest, public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(OpenFailureTest, LogsItsCodeAndLeavesThePortClosed)
{
    device.failAt = GetParam().step;
    port.OpenPort("\\\\.\\COM3");
    EXPECT_EQ(view.Lines(), std::vector<std::string>{GetParam().line});
    EXPECT_FALSE(port.IsOpen());
    if (GetParam().step != Step::Write) {
        EXPECT_TRUE(device.writes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, OpenFailureTest,
                         ::testing::Values(OpenFailure{Step::Open, "Error. The COM-port is not available."},
                                           OpenFailure{Step::ReadSettings, "Error getting the COM-port parameters."},
                                           OpenFailure{Step::ApplySettings, "Error setting the COM-port parameters."},
                                           OpenFailure{Step::Write, "Gateway configuration error."}));

TEST_F(PortfunctionsTest, OpenSendsTheConfigurationOnceAfterPurging)
{
    port.OpenPort("\\\\.\\COM3");
    EXPECT_TRUE(port.IsOpen());
    EXPECT_TRUE(view.Lines().empty());
    EXPECT_EQ(device.openedPath, "/dev/ttyS2");
    EXPECT_TRUE(device.purged);
    const std::vector<std::uint8_t> configuration{0x0A, 0x08, 0x02, 0x42, 0x08, 0x40, 0x04, 0x48};
    EXPECT_EQ(device.writes, std::vector<std::vector<std::uint8_t>>{configuration});
}

TEST_F(PortfunctionsTest, OverlongPortNameIsNotAvailableAndNothingIsOpened)
{
    port.OpenPort("\\\\.\\" + std::string(96, 'x'));
    EXPECT_EQ(view.Lines(), std::vector<std::string>{"Error. The COM-port is not available."});
    EXPECT_TRUE(device.openedPath.empty());
}

TEST_F(PortfunctionsTest, SendPacketWritesExactlyLengthBytes)
{
    port.OpenPort("COM1");
    device.writes.clear();
    Packet packet = Packet::Of({0x44, 0x00, 0x10, 0x02, 0x20});
    packet.Data[5] = 0xEE;  // beyond Length: never sent
    EXPECT_TRUE(port.SendPacket(packet));
    EXPECT_EQ(device.writes.back(), (std::vector<std::uint8_t>{0x44, 0x00, 0x10, 0x02, 0x20}));
}

TEST_F(PortfunctionsTest, SendPacketRefusesImpossibleLengthsAndClosedPort)
{
    port.OpenPort("COM1");
    device.writes.clear();
    for (const std::int32_t length : {-1, 33}) {
        Packet packet;
        packet.Length = length;
        EXPECT_FALSE(port.SendPacket(packet));
    }
    port.ClosePort();
    EXPECT_FALSE(port.SendPacket(Packet::Of({bridge::kSelect})));
    EXPECT_TRUE(device.writes.empty());
}

TEST_F(PortfunctionsTest, NoAnswerGivesLengthZeroAfterTheFullBudget)
{
    port.OpenPort("COM1");
    const Packet answer = port.ReceivePacket();
    EXPECT_EQ(answer.Length, 0);
    EXPECT_EQ(device.looks, Portfunctions::kAnswerLooks);
    EXPECT_EQ(device.waits, Portfunctions::kAnswerLooks);
}

TEST_F(PortfunctionsTest, FirstLookThatFindsBytesReturnsThemAtOnce)
{
    port.OpenPort("COM1");
    device.input = {1, 2, 3};
    const Packet answer = port.ReceivePacket();
    EXPECT_EQ(device.waits, 0);
    EXPECT_EQ(std::vector<std::uint8_t>(answer.Bytes().begin(), answer.Bytes().end()),
              (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(PortfunctionsTest, MoreThan32WaitingLeavesTheRestQueued)
{
    port.OpenPort("COM1");
    for (int i = 0; i < 40; ++i)
        device.input.push_back(static_cast<std::uint8_t>(i));
    EXPECT_EQ(port.ReceivePacket().Length, 32);
    const Packet rest = port.ReceivePacket();
    ASSERT_EQ(rest.Length, 8);
    EXPECT_EQ(rest.Data[0], 32);
}

}  // namespace
}  // namespace tarnwick
