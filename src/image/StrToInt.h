#pragma once

#include <cstdint>
#include <string_view>

namespace tarnwick {

inline constexpr std::string_view kNotValidInteger = "'%s' is not a valid integer value";

// Converts an operator's number: optional leading blanks, then either an optional sign and
// decimal digits within the signed 32-bit range, or "$", "x", "X", "0x" or "0X" followed by
// one to eight hexadecimal digits taken as the 32-bit pattern ("$FFFFFFFF" is -1).
// Anything else, a trailing blank included, throws AppError kNotValidInteger with `text`.
[[nodiscard]] std::int32_t StrToInt(std::string_view text);

}  // namespace tarnwick
