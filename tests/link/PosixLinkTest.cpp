// The link over a real pseudo-terminal, with the bridge simulator at the other end.
#include "link/BridgeCommands.h"
#include "link/PortPath.h"
#include "link/PosixSerialDevice.h"
#include "link/Portfunctions.h"
#include "platform/PosixClock.h"
#include "sim/PtyServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tarnwick {
namespace {

using namespace std::chrono_literals;

// The simulator works on its own thread; give it time to catch up, but never wait forever.
template <typename Condition>
bool Eventually(Condition condition)
{
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// The JEDEC ID instruction in one window, then a fetch of its 4-byte answer.
const std::vector<Packet> kJedecIdExchange{
    Packet::Of({bridge::kSetLength, bridge::TransferBits(4)}), Packet::Of({bridge::kSelect}),
    Packet::Of({bridge::kLoad, 0x00, 0x00, 0x00, 0x9F}),       Packet::Of({bridge::kTransfer}),
    Packet::Of({bridge::kDeselect}),                           Packet::Of({bridge::kFetch}),
};

class PosixLinkTest : public ::testing::Test {
protected:
    void StartSimulator(sim::SimOptions options = {})
    {
        server = std::make_unique<sim::PtyServer>(std::move(options));
        server->Start();
    }
    void Connect() { port.OpenPort("\\\\.\\" + server->DevicePath()); }
    void SendAll(const std::vector<Packet>& packets)
    {
        for (const auto& packet : packets)
            ASSERT_TRUE(port.SendPacket(packet));
    }
    static std::vector<std::uint8_t> BytesOf(const Packet& packet)
    {
        return {packet.Bytes().begin(), packet.Bytes().end()};
    }

    std::unique_ptr<sim::PtyServer> server;
    PosixSerialDevice device;
    MemoryLogView view;
    PosixClock clock;
    Sendmsgfunctions log{view, clock};
    Portfunctions port{device, log};
};

TEST_F(PosixLinkTest, OpenAppliesTheLineAndConfiguresTheBridgeOnce)
{
    StartSimulator();
    Connect();
    ASSERT_TRUE(port.IsOpen());
    EXPECT_TRUE(view.Lines().empty());
    ASSERT_TRUE(Eventually([&] { return server->ConfigurationsSeen() == 1; }));
    SendAll(kJedecIdExchange);
    const Packet answer = port.ReceivePacket();
    EXPECT_EQ(BytesOf(answer), (std::vector<std::uint8_t>{0x17, 0x40, 0xEF, 0xFF}));
    EXPECT_EQ(server->ConfigurationsSeen(), 1U);
    EXPECT_TRUE(server->SettingsWarnings().empty());
}

TEST_F(PosixLinkTest, MissingDeviceIsNotAvailable)
{
    port.OpenPort("\\\\.\\/dev/tarnwick-no-such-port");
    EXPECT_EQ(view.Lines(), std::vector<std::string>{"Error. The COM-port is not available."});
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(PosixLinkTest, RegularFileHasNoLineSettingsAndIsLeftUnchanged)
{
    const test::TempDir dir;
    const std::string file = dir.File("not-a-port");
    test::WriteWholeFile(file, "firmware");
    port.OpenPort("\\\\.\\" + file);
    EXPECT_EQ(view.Lines(), std::vector<std::string>{"Error getting the COM-port parameters."});
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(test::ReadWholeFile(file), "firmware");
}

TEST_F(PosixLinkTest, DeviceHeldByAnotherOpenerIsNotAvailable)
{
    StartSimulator();
    Connect();
    ASSERT_TRUE(port.IsOpen());
    PosixSerialDevice second_device;
    Portfunctions second_port{second_device, log};
    second_port.OpenPort("\\\\.\\" + server->DevicePath());
    EXPECT_FALSE(second_port.IsOpen());
    EXPECT_EQ(view.Lines(), std::vector<std::string>{"Error. The COM-port is not available."});
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(PosixLinkTest, DeviceHeldByThisProgramIsNotAvailableToAnotherProgram)
{
    StartSimulator();
    Connect();
    ASSERT_TRUE(port.IsOpen());
    const pid_t other_program = fork();
    ASSERT_GE(other_program, 0);
    if (other_program == 0) {
        PosixSerialDevice other_device;
        _exit(other_device.Open(server->DevicePath()) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(other_program, &status, 0), other_program);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "the other program opened the port";
}

TEST_F(PosixLinkTest, PortCanBeOpenedAgainAfterClosing)
{
    StartSimulator();
    Connect();
    // Opening purges what the port has not yet sent, so let the first configuration go out.
    ASSERT_TRUE(Eventually([&] { return server->ConfigurationsSeen() == 1; }));
    port.ClosePort();
    Connect();
    EXPECT_TRUE(port.IsOpen());
    EXPECT_TRUE(view.Lines().empty());
    EXPECT_TRUE(Eventually([&] { return server->ConfigurationsSeen() == 2; }));
}

TEST_F(PosixLinkTest, NoAnswerGivesLengthZeroAfterTheWholeBudget)
{
    sim::SimOptions options;
    options.noAnswer = true;
    StartSimulator(options);
    Connect();
    SendAll(kJedecIdExchange);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(port.ReceivePacket().Length, 0);
    EXPECT_GE(std::chrono::steady_clock::now() - started, Portfunctions::kAnswerLooks * Portfunctions::kLookInterval);
}

TEST_F(PosixLinkTest, AnswerSplitInTwoComesInTwoReceives)
{
    sim::SimOptions options;
    options.splitAnswerAfter = 1;
    options.splitDelay = 20ms;
    StartSimulator(options);
    Connect();
    SendAll(kJedecIdExchange);
    EXPECT_EQ(BytesOf(port.ReceivePacket()), std::vector<std::uint8_t>{0x17});
    EXPECT_EQ(BytesOf(port.ReceivePacket()), (std::vector<std::uint8_t>{0x40, 0xEF, 0xFF}));
}

TEST_F(PosixLinkTest, MoreThan32WaitingAreTakenInTwoReceives)
{
    sim::SimOptions options;
    options.unaskedBytes.assign(40, 0xA5);
    options.unaskedAfterPacket = 2;
    StartSimulator(options);
    Connect();
    ASSERT_TRUE(port.SendPacket(Packet::Of({bridge::kSelect})));
    ASSERT_TRUE(Eventually([&] { return device.BytesWaiting() >= 40; }));
    EXPECT_EQ(port.ReceivePacket().Length, 32);
    EXPECT_EQ(BytesOf(port.ReceivePacket()), std::vector<std::uint8_t>(8, 0xA5));
}

TEST_F(PosixLinkTest, VanishingSimulatorFailsTheExchangeWithoutHanging)
{
    StartSimulator();
    Connect();
    SendAll({kJedecIdExchange.begin(), kJedecIdExchange.end() - 1});
    server->Unplug();
    const bool sent = port.SendPacket(Packet::Of({bridge::kFetch}));
    const Packet answer = port.ReceivePacket();
    EXPECT_FALSE(sent && answer.Length > 0);
    EXPECT_EQ(answer.Length, 0);
}

TEST(StalledLinkTest, WriteToADeviceThatTakesNothingGivesUpAfterTheBound)
{
    // The simulator is not started, so nothing ever reads what the program writes.
    sim::PtyServer silent_server{sim::SimOptions{}};
    PosixSerialDevice device{200ms};
    MemoryLogView view;
    PosixClock clock;
    Sendmsgfunctions log{view, clock};
    Portfunctions port{device, log};
    port.OpenPort(std::string(kPortPathPrefix) + silent_server.DevicePath());
    ASSERT_TRUE(port.IsOpen());
    Packet full;
    full.Length = Packet::kCapacity;
    int packets_taken = 0;
    // A pseudo-terminal buffers some kilobytes; beyond that every write must stall and fail.
    while (port.SendPacket(full))
        ASSERT_LT(++packets_taken, 1'000'000);
    EXPECT_GT(packets_taken, 0);
    EXPECT_FALSE(port.SendPacket(full));
}

}  // namespace
}  // namespace tarnwick
