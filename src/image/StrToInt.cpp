#include "image/StrToInt.h"

#include "platform/AppError.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace tarnwick {
namespace {

constexpr std::size_t kMaxHexDigits = 8;

[[nodiscard]] std::optional<unsigned> HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<unsigned>(c - 'A' + 10);
    return std::nullopt;
}

[[nodiscard]] std::optional<std::int32_t> ParseHex(std::string_view digits)
{
    if (digits.empty() || digits.size() > kMaxHexDigits)
        return std::nullopt;
    std::uint32_t pattern = 0;
    for (const char c : digits) {
        const auto value = HexDigitValue(c);
        if (!value)
            return std::nullopt;
        pattern = pattern << 4 | *value;
    }
    return static_cast<std::int32_t>(pattern);  // the pattern's two's-complement reading
}

[[nodiscard]] std::optional<std::int32_t> ParseDecimal(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // One past the largest magnitude stops the loop long before 64 bits could overflow.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

[[nodiscard]] std::optional<std::int32_t> Parse(std::string_view text)
{
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    for (const std::string_view prefix : {"0x", "0X", "$", "x", "X"})
        if (text.starts_with(prefix))
            return ParseHex(text.substr(prefix.size()));
    return ParseDecimal(text);
}

}  // namespace

std::int32_t StrToInt(std::string_view text)
{
    if (const auto value = Parse(text))
        return *value;
    throw AppError(FormatWithName(kNotValidInteger, text));
}

}  // namespace tarnwick
