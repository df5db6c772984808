#pragma once

#include <cstdint>

namespace tarnwick {

// The two status registers as read from the chip; the bytes mean nothing unless Valid.
struct StatusPair {
    std::uint8_t Status1 = 0;  // S7..S0
    std::uint8_t Status2 = 0;  // S15..S8
    bool Valid = false;
};

}  // namespace tarnwick
