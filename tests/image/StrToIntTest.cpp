#include "image/StrToInt.h"

#include "platform/AppError.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tarnwick {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct Accepted {
    std::string_view text;
    std::int32_t value;
};

constexpr Accepted kAccepted[] = {
    {"0", 0},
    {"5", 5},
    {" 5", 5},
    {"   -12", -12},
    {"+7", 7},
    {"-0", 0},
    {"007", 7},
    {"000000000000000000015", 15},
    {"2147483647", kMax},
    {"-2147483648", kMin},
    {"$10", 16},
    {"x1f", 31},
    {"X1F", 31},
    {"0x7FFFFFFF", kMax},
    {"0XffffFFFF", -1},
    {"$80000000", kMin},
    {"  $A", 10},
    {"$00000010", 16},
};

TEST(StrToInt, AcceptsTheOperatorsForms)
{
    for (const auto& [text, value] : kAccepted)
        EXPECT_EQ(StrToInt(text), value) << "'" << text << "'";
}

constexpr std::string_view kRefused[] = {
    "",
    " ",
    "5 ",
    "2147483648",
    "-2147483649",
    "99999999999999999999",
    "+",
    "-",
    "$",
    "x",
    "0x",
    "0X",
    "$123456789",  // nine digits do not fit the 32-bit pattern
    "-$10",        // a sign belongs to decimal numbers only
    "+0x1",
    "abc",
    "1a",
    "$G",
    "1 2",
    "0x 1",
    "1.0",
    "1e3",
};

TEST(StrToInt, RefusesEverythingElseNamingTheText)
{
    for (const std::string_view text : kRefused) {
        try {
            (void)StrToInt(text);
            ADD_FAILURE() << "'" << text << "' was accepted";
        } catch (const AppError& error) {
            EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

}  // namespace
}  // namespace tarnwick
