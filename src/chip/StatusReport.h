#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarnwick {

// The status report explains the registers in this many sentences, one per bit or group.
inline constexpr std::size_t kStatusSentenceCount = 9;

// The sentences that explain `status1` and `status2`, in the order the log shows them.
[[nodiscard]] std::array<std::string_view, kStatusSentenceCount> StatusSentences(std::uint8_t status1,
                                                                                 std::uint8_t status2);

}  // namespace tarnwick
