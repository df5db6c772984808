#pragma once

#include "link/Packet.h"
#include "link/SerialDevice.h"
#include "log/Sendmsgfunctions.h"

#include <chrono>
#include <string>

namespace tarnwick {

// The program's one link to the bridge: opens the port, sends packets, polls for answers.
class Portfunctions {
public:
    // An answer is looked for this many times, with a wait of up to kLookInterval after each
    // empty look: about one second for a bridge that should answer within microseconds.
    static constexpr int kAnswerLooks = 1000;
    static constexpr std::chrono::milliseconds kLookInterval{1};

    Portfunctions(SerialDevice& device, Sendmsgfunctions& log) : device_(device), log_(log) {}

    // Opens the port named by `path` ("\\.\" and the port name), applies the line settings and
    // sends the bridge its configuration. Logs its own failure (codes 2, 6, 7, 8) and then
    // leaves the port closed.
    void OpenPort(const std::string& path);
    // True when the whole packet was written.
    [[nodiscard]] bool SendPacket(const Packet& packet);
    // What is waiting at the first look that finds anything (at most 32 bytes, the rest stays
    // queued), or a packet of Length 0 when nothing came within the looks.
    [[nodiscard]] Packet ReceivePacket();
    // Closes the port whatever its state.
    void ClosePort();
    [[nodiscard]] bool IsOpen() const { return device_.IsOpen(); }

private:
    SerialDevice& device_;
    Sendmsgfunctions& log_;
};

}  // namespace tarnwick
