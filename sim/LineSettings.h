#pragma once

#include <termios.h>

#include <string>

namespace tarnwick::sim {

// What is wrong with the port settings for the bridge (115200 baud, 8 data bits, no parity,
// 2 stop bits, raw, no flow control), as one readable line; empty when they are right.
[[nodiscard]] std::string DescribeWrongLineSettings(const termios& settings);

}  // namespace tarnwick::sim
