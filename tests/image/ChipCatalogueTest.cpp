#include "image/ChipCatalogue.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarnwick {
namespace {

struct ExpectedRow {
    std::int32_t chipType;
    std::string_view menuItem;
    std::string_view logName;
    std::string_view chipName;
    std::int32_t chipSize;
    std::int32_t largestBlock;
};

constexpr ExpectedRow kExpected[] = {
    {1, "N25X81", "W25Q08.", "8M-BIT", 1'048'576, 15},
    {2, "W25X161", "W25Q16.", "16M-BIT", 2'097'152, 31},
    {3, "W25X321", "W25Q32.", "32M-BIT", 4'194'304, 63},
    {4, "W25X641", "W25Q64.", "64M-BIT", 8'388'608, 127},
};

TEST(ChipCatalogue, HoldsTheFourSizesInMenuOrder)
{
    ASSERT_EQ(kChipCatalogue.size(), std::size(kExpected));
    for (std::size_t i = 0; i < kChipCatalogue.size(); ++i) {
        SCOPED_TRACE(kExpected[i].chipName);
        const ChipModel& row = kChipCatalogue[i];
        EXPECT_EQ(row.ChipType, kExpected[i].chipType);
        EXPECT_EQ(row.menuItem, kExpected[i].menuItem);
        EXPECT_EQ(row.menuCaption, kExpected[i].chipName);
        EXPECT_EQ(row.logName, kExpected[i].logName);
        EXPECT_EQ(row.ChipName, kExpected[i].chipName);
        EXPECT_EQ(row.ChipSize, kExpected[i].chipSize);
        EXPECT_EQ(LargestBlockNumber(row.ChipSize), kExpected[i].largestBlock);
        EXPECT_EQ(&CatalogueRow(row.ChipType), &row);
    }
}

TEST(ChipCatalogue, LargestChipFillsTheImageExactly)
{
    EXPECT_EQ(static_cast<std::size_t>(kChipCatalogue.back().ChipSize), ChipImage::kCapacity);
    for (const auto& row : kChipCatalogue)
        EXPECT_EQ(row.ChipSize % kBlockSize, 0) << row.ChipName;
}

TEST(ChipCatalogue, UnknownTypeIsAProgramFault)
{
    EXPECT_THROW((void)CatalogueRow(0), std::out_of_range);
    EXPECT_THROW((void)CatalogueRow(5), std::out_of_range);
}

}  // namespace
}  // namespace tarnwick
