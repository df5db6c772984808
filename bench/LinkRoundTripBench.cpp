// How much the program adds to the time the bridge protocol itself needs.
// Each round is the inner step of reading the chip: F, a 2 ms wait, E, and the 8-byte answer,
// through the POSIX link to the simulator emulating the 115200 bit/s line. The floor of a round
// is the 2 ms wait plus 9 byte-times (the E going out, the 8 answer bytes coming in).
#include "link/BridgeCommands.h"
#include "link/PosixSerialDevice.h"
#include "link/Portfunctions.h"
#include "platform/PosixClock.h"
#include "platform/PosixSleeper.h"
#include "sim/PtyServer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Seconds = std::chrono::duration<double>;

constexpr auto kTransferWait = 2ms;
constexpr double kBitsPerByte = 11.0;  // start bit, 8 data bits, 2 stop bits
constexpr double kBitsPerSecond = 115200.0;
constexpr int kAnswerBytes = 8;

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// One transfer and its answer, collected in full as the flash sequences do.
bool Round(tarnwick::Portfunctions& port, tarnwick::Sleeper& sleeper)
{
    using tarnwick::Packet;
    if (!port.SendPacket(Packet::Of({tarnwick::bridge::kTransfer})))
        return false;
    sleeper.SleepFor(kTransferWait);
    if (!port.SendPacket(Packet::Of({tarnwick::bridge::kFetch})))
        return false;
    for (int received = 0; received < kAnswerBytes;) {
        const Packet piece = port.ReceivePacket();
        if (piece.Length == 0)
            return false;
        received += piece.Length;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 2000;
    tarnwick::sim::SimOptions options;
    options.lineRate = true;
    tarnwick::sim::PtyServer server(options);
    server.Start();

    tarnwick::PosixSerialDevice device;
    tarnwick::MemoryLogView view;
    tarnwick::PosixClock clock;
    tarnwick::Sendmsgfunctions log(view, clock);
    tarnwick::Portfunctions port(device, log);
    tarnwick::PosixSleeper sleeper;
    port.OpenPort("\\\\.\\" + server.DevicePath());
    if (!port.IsOpen()) {
        std::fprintf(stderr, "cannot open the simulator's port %s\n", server.DevicePath().c_str());
        return 1;
    }
    // Read Data from address 0 with 8-byte transfers, the window held open for all rounds.
    using tarnwick::Packet;
    namespace bridge = tarnwick::bridge;
    for (const Packet& packet : {Packet::Of({bridge::kSetLength, bridge::TransferBits(4)}), Packet::Of({bridge::kSelect}),
                                 Packet::Of({bridge::kLoad, 0x00, 0x00, 0x00, 0x03}), Packet::Of({bridge::kTransfer}),
                                 Packet::Of({bridge::kSetLength, bridge::TransferBits(8)})})
        if (!port.SendPacket(packet))
            return 1;
    for (int warm_up = 0; warm_up < 50; ++warm_up)
        if (!Round(port, sleeper))
            return 1;

    std::vector<double> round_seconds(static_cast<std::size_t>(rounds));
    const auto started = std::chrono::steady_clock::now();
    const double cpu_started = ThreadCpuSeconds();
    auto round_started = started;
    for (int round = 0; round < rounds; ++round) {
        if (!Round(port, sleeper)) {
            std::fprintf(stderr, "round %d failed\n", round);
            return 1;
        }
        const auto round_ended = std::chrono::steady_clock::now();
        round_seconds[static_cast<std::size_t>(round)] = Seconds(round_ended - round_started).count();
        round_started = round_ended;
    }
    const double wall = Seconds(std::chrono::steady_clock::now() - started).count();
    const double cpu = ThreadCpuSeconds() - cpu_started;

    const double floor_per_round = Seconds(kTransferWait).count() + (1 + kAnswerBytes) * kBitsPerByte / kBitsPerSecond;
    const double floor = floor_per_round * rounds;
    std::printf("rounds            %d\n", rounds);
    std::printf("floor per round   %.1f us\n", floor_per_round * 1e6);
    std::printf("measured per round %.1f us\n", wall / rounds * 1e6);
    // The mean carries the rounds in which the machine ran something else; the median does not.
    std::nth_element(round_seconds.begin(), round_seconds.begin() + rounds / 2, round_seconds.end());
    std::printf("median round       %.1f us\n", round_seconds[static_cast<std::size_t>(rounds / 2)] * 1e6);
    std::printf("ratio to floor    %.4f (target at most 1.05)\n", wall / floor);
    std::printf("median round ratio %.4f\n", round_seconds[static_cast<std::size_t>(rounds / 2)] / floor_per_round);
    std::printf("program CPU share %.2f %% of wall time (target at most 10 %%)\n", 100.0 * cpu / wall);
    return 0;
}
