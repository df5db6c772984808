#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

// The chip the operator selected last; all empty and zero until the first selection.
struct ChipState {
    std::int32_t ChipType = 0;  // 0 = none, else a catalogue row
    std::int32_t ChipSize = 0;  // bytes of the image that make up the whole chip
    std::string ChipName;
    std::string ChipPicture;    // file name of the wiring picture
};

}  // namespace tarnwick
