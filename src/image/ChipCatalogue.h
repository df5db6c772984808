#pragma once

#include "image/ChipImage.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace tarnwick {

// The chip's erase unit and the operator's counting unit: a block holds 16 sectors.
inline constexpr std::int32_t kSectorSize = 4096;
inline constexpr std::int32_t kBlockSize = 65536;
inline constexpr std::int32_t kLastSectorOfBlock = kBlockSize / kSectorSize - 1;

// One chip size the program serves, as the "Chip Select" menu offers it.
struct ChipModel {
    std::int32_t ChipType;         // 1..4; 0 means no chip selected
    std::string_view menuItem;     // the menu entry's object name
    std::string_view menuCaption;
    std::string_view logName;      // completes "The selected chip is "; its full stop ends the sentence
    std::string_view ChipName;     // shown in the chip-name field
    std::int32_t ChipSize;         // bytes
};

// Every size shares one wiring, so one picture serves them all.
inline constexpr std::string_view kChipPicture = "W25Qxx.jpg";

inline constexpr std::array<ChipModel, 4> kChipCatalogue{{
    {1, "N25X81", "8M-BIT", "W25Q08.", "8M-BIT", 1'048'576},
    {2, "W25X161", "16M-BIT", "W25Q16.", "16M-BIT", 2'097'152},
    {3, "W25X321", "32M-BIT", "W25Q32.", "32M-BIT", 4'194'304},
    {4, "W25X641", "64M-BIT", "W25Q64.", "64M-BIT", 8'388'608},
}};

[[nodiscard]] constexpr std::int32_t LargestBlockNumber(std::int32_t chipSize)
{
    return chipSize / kBlockSize - 1;
}

// The catalogue row of a chip type; only the menu's four entries ask, so any other type is a
// fault in the program.
[[nodiscard]] constexpr const ChipModel& CatalogueRow(std::int32_t chipType)
{
    for (const auto& row : kChipCatalogue)
        if (row.ChipType == chipType)
            return row;
    throw std::out_of_range("no chip type in the catalogue");
}

}  // namespace tarnwick
