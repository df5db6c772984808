#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "sim/Bridge.h"

namespace tarnwick::sim {

// "0A 08 02" style, as the bytes appear on the serial line.
[[nodiscard]] std::string HexBytes(std::span<const std::uint8_t> bytes);

// One line per packet: what the bridge understood, the bus traffic of a transfer and the
// answer of an E, so a trace can be read next to the host's log.
[[nodiscard]] std::string DescribePacket(std::size_t number, const BridgePacket& packet);

// Writes trace lines stamped with the time since the server started; a null stream
// disables it.
class PacketTrace {
 public:
  PacketTrace(std::ostream* out, std::chrono::steady_clock::time_point start)
      : out_(out), start_(start) {}

  void Line(std::string_view text);

 private:
  std::ostream* out_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace tarnwick::sim
