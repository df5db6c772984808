#include "image/OperatingArea.h"
#include "image/OperatingAreaFields.h"

#include "FakeBoxes.h"
#include "FakeChipWindow.h"
#include "platform/AppError.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

using test::FakeChipWindow;
using test::RecordingErrorDisplay;

class OperatingAreaFieldsTest : public ::testing::Test {
protected:
    RecordingErrorDisplay errors;
    FakeChipWindow window{errors};
};

struct AddressCase {
    std::string block;
    std::string sector;
    std::string start;  // Edit6 when typed as start block and sector
    std::string end;    // Edit7 when typed as end block and sector
};

const AddressCase kAddressCases[] = {
    {"1", "2", "00012000", "00012FFF"},
    {"0", "0", "00000000", "00000FFF"},
    {"127", "15", "007FF000", "007FFFFF"},
    {"0", "16", "00010000", "00010FFF"},  // sector 16 steps into block 1
    {"$10", "0", "00100000", "00100FFF"},
    {"-1", "0", "FFFF0000", "FFFF0FFF"},  // negative values show their 32-bit pattern
    {"0", "-1", "FFFFF000", "FFFFFFFF"},
    {"65536", "0", "00000000", "00000FFF"},  // the block shift wraps at 32 bits
    {"65535", "16", "00000000", "00000FFF"},
};

TEST_F(OperatingAreaFieldsTest, AddressDisplaysFollowTheTypedPair)
{
    for (const auto& [block, sector, start, end] : kAddressCases) {
        SCOPED_TRACE(block + "/" + sector);
        window.TypeArea(block, sector, block, sector);
        EXPECT_EQ(window.Edit6(), start);
        EXPECT_EQ(window.Edit7(), end);
        const OperatingArea area = ReadOperatingArea(window);
        EXPECT_EQ(HexAddress(area.StartAddress), start);
        EXPECT_EQ(HexAddress(area.EndAddress), end);
    }
    EXPECT_TRUE(errors.errors.empty());
}

TEST_F(OperatingAreaFieldsTest, EndBeforeStartIsShownWithoutComplaint)
{
    window.TypeArea("1", "0", "0", "0");
    EXPECT_EQ(window.Edit6(), "00010000");
    EXPECT_EQ(window.Edit7(), "00000FFF");
    EXPECT_EQ(ReadOperatingArea(window), (OperatingArea{0x10000, 0xFFF}));
    EXPECT_TRUE(errors.errors.empty());
}

TEST_F(OperatingAreaFieldsTest, EmptyFieldOfThePairKeepsTheDisplay)
{
    window.TypeArea("1", "2", "3", "4");
    window.SetAreaFieldText(AreaField::Edit3, "");
    window.SetAreaFieldText(AreaField::Edit2, "7");
    window.SetAreaFieldText(AreaField::Edit4, "");
    EXPECT_EQ(window.Edit6(), "00012000");
    EXPECT_EQ(window.Edit7(), "00034FFF");

    window.SetAreaFieldText(AreaField::Edit3, "0");
    EXPECT_EQ(window.Edit6(), "00070000");
    EXPECT_TRUE(errors.errors.empty());
}

TEST_F(OperatingAreaFieldsTest, TextThatIsNoNumberEndsOnlyItsHandler)
{
    window.TypeArea("1", "2", "3", "4");
    window.SetAreaFieldText(AreaField::Edit2, "abc");
    window.SetAreaFieldText(AreaField::Edit5, "5 ");
    window.SetAreaFieldText(AreaField::Edit2, "1");
    window.SetAreaFieldText(AreaField::Edit3, "-");  // the first key of a negative number
    EXPECT_EQ(window.Edit6(), "00012000");
    EXPECT_EQ(window.Edit7(), "00034FFF");
    EXPECT_EQ(errors.errors, (std::vector<std::string>{"'abc' is not a valid integer value",
                                                      "'5 ' is not a valid integer value",
                                                      "'-' is not a valid integer value"}));
}

TEST_F(OperatingAreaFieldsTest, ReadingStopsAtTheFirstFieldThatIsNoNumber)
{
    struct Case {
        std::array<std::string, 4> fields;
        std::string named;
    };
    const Case cases[] = {
        {{"", "x", "y", "z"}, ""},
        {{"1", "a", "b", ""}, "a"},
        {{"1", "2", " 3 ", "$"}, " 3 "},
        {{"1", "2", "3", "$"}, "$"},
    };
    for (const auto& [fields, named] : cases) {
        window.areaFields = fields;  // set directly: the handlers are not what is tested here
        try {
            (void)ReadOperatingArea(window);
            ADD_FAILURE() << "no error for '" << named << "'";
        } catch (const AppError& error) {
            EXPECT_EQ(error.what(), "'" + named + "' is not a valid integer value");
        }
    }
}

struct RangeCase {
    OperatingArea area;
    ImageRange range;
};

constexpr RangeCase kInside[] = {
    {{0, 0x7FFFFF}, {0, 0x800000}},
    {{0x20000, 0x2FFFF}, {0x20000, 0x10000}},
    {{0x12000, 0x11FFF}, {0x12000, 0}},     // end sector just before the start sector: empty
    {{0x800000, 0x7FFFFF}, {0x800000, 0}},  // empty, right after the image's last byte
};

TEST(RequireInsideImage, GivesTheImageBytesOfAnAreaInside)
{
    for (const auto& [area, range] : kInside)
        EXPECT_EQ(RequireInsideImage(area), range) << HexAddress(area.StartAddress);
}

struct RefusedCase {
    OperatingArea area;
    std::string_view message;
};

constexpr RefusedCase kRefused[] = {
    {{-0x10000, 0xFFF}, "The operating area FFFF0000..00000FFF lies outside the chip image 00000000..007FFFFF"},
    {{0, 0x800FFF}, "The operating area 00000000..00800FFF lies outside the chip image 00000000..007FFFFF"},
    {{0x800000, 0x800FFF}, "The operating area 00800000..00800FFF lies outside the chip image 00000000..007FFFFF"},
    {{0x12000, 0x10FFF}, "The operating area 00012000..00010FFF ends before it starts"},
    {{0x10000, -1}, "The operating area 00010000..FFFFFFFF ends before it starts"},
};

TEST(RequireInsideImage, RefusesAnAreaOutsideOrBackwards)
{
    for (const auto& [area, message] : kRefused) {
        try {
            (void)RequireInsideImage(area);
            ADD_FAILURE() << message;
        } catch (const AppError& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
}

}  // namespace
}  // namespace tarnwick
