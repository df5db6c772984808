#pragma once

#include <algorithm>
#include <chrono>

namespace tarnwick::sim {

// One direction of the serial line. With emulation on, bytes queue behind each other and
// each takes a byte time on the wire; with it off they arrive the moment they are sent.
class SerialLine {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  // 115200 baud, 8 data bits, no parity, 2 stop bits: 11 bit times per byte (95.486 us).
  static constexpr std::chrono::nanoseconds kByteTime{11'000'000'000 / 115'200};

  explicit SerialLine(bool emulate) : emulate_(emulate) {}

  // When a byte put on the line at `sent` has completely arrived at the far end.
  [[nodiscard]] TimePoint Arrival(TimePoint sent) {
    if (!emulate_) return sent;
    lastArrival_ = std::max(sent, lastArrival_) + kByteTime;
    return lastArrival_;
  }

 private:
  bool emulate_;
  TimePoint lastArrival_{};
};

}  // namespace tarnwick::sim
