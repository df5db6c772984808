#pragma once

#include <cstdint>

// Bit positions of the two status registers as the W25Q parts lay them out.
namespace tarnwick::sim::status1 {
inline constexpr std::uint8_t kBusy = 0x01;
inline constexpr std::uint8_t kWriteEnableLatch = 0x02;
inline constexpr std::uint8_t kBlockProtectMask = 0x1C;  // BP2..BP0
inline constexpr unsigned kBlockProtectShift = 2;
inline constexpr std::uint8_t kTopBottom = 0x20;
inline constexpr std::uint8_t kSectorProtect = 0x40;
inline constexpr std::uint8_t kProtect0 = 0x80;  // SRP0
// What Write Status Register may change: everything but BUSY and WEL.
inline constexpr std::uint8_t kWritable = 0xFC;
}  // namespace tarnwick::sim::status1

namespace tarnwick::sim::status2 {
inline constexpr std::uint8_t kProtect1 = 0x01;  // SRP1
inline constexpr std::uint8_t kQuadEnable = 0x02;
inline constexpr std::uint8_t kLockBits = 0x38;  // LB3..LB1, one-time programmable
inline constexpr std::uint8_t kComplement = 0x40;
// What Write Status Register may change: not the reserved S10 nor SUS.
inline constexpr std::uint8_t kWritable = 0x7B;
}  // namespace tarnwick::sim::status2
