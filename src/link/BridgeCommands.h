#pragma once

#include <array>
#include <cstdint>

namespace tarnwick::bridge {

// The bridge's command bytes. Each command is one packet; only E is answered.
inline constexpr std::uint8_t kSetLength = 0x42;  // B, 8*n: every later transfer moves n bytes
inline constexpr std::uint8_t kSelect = 0x47;     // G: chip select low, a window begins
inline constexpr std::uint8_t kLoad = 0x44;       // D, p1..pn: bytes for the next transfer, pn goes first
inline constexpr std::uint8_t kTransfer = 0x46;   // F: n bytes out while n bytes come in
inline constexpr std::uint8_t kDeselect = 0x48;   // H: chip select high, the window ends
inline constexpr std::uint8_t kFetch = 0x45;      // E: answer the n bytes of the last F, last-in first

// Sent once each time the port is opened; readies the bridge for the commands above.
inline constexpr std::array<std::uint8_t, 8> kConfiguration{0x0A, 0x08, 0x02, 0x42, 0x08, 0x40, 0x04, 0x48};

// The second byte of B for a transfer of n bytes (1, 3, 4 or 8).
[[nodiscard]] constexpr std::uint8_t TransferBits(int bytes) { return static_cast<std::uint8_t>(8 * bytes); }

}  // namespace tarnwick::bridge
