#pragma once

#include "image/ChipImage.h"
#include "image/ChipState.h"
#include "image/ChipWindow.h"
#include "image/Formfunctions.h"
#include "log/Sendmsgfunctions.h"

#include <cstdint>
#include <string>

namespace tarnwick {

// The chip image and the selected chip, with the commands that fill and save the image.
class Chipfunctions {
public:
    Chipfunctions(ChipWindow& window, Sendmsgfunctions& log, Formfunctions& form)
        : window_(window), log_(log), form_(form)
    {
    }

    // Makes catalogue row `chipType` (1..4) the current chip, resets its part of the image to
    // FFh without asking (bytes above the chip keep what they hold) and shows it.
    void SelectChip(std::int32_t chipType);

    // Loads the beginning of file `name` into the image: at address 0, at most the whole chip,
    // or (`selected`) at the operating area, at most the area's length. Bytes beyond what the
    // file holds keep their contents.
    // Throws AppError: "Cannot open file %s", a field that is no number, an area outside the
    // image, or a read error; the image, the status line and the log are then unchanged.
    void LoadImageFile(const std::string& name, bool selected);

    // Replaces file `name` with the whole chip or (`selected`) the operating area of the image.
    // Throws AppError before touching the file when the area is wrong; a file that cannot be
    // created or written throws too, and the previous file stays as it was.
    void SaveImageFile(const std::string& name, bool selected);

    [[nodiscard]] ChipImage& Image() { return image_; }
    [[nodiscard]] const ChipImage& Image() const { return image_; }
    [[nodiscard]] const ChipState& State() const { return state_; }

private:
    ChipWindow& window_;
    Sendmsgfunctions& log_;
    Formfunctions& form_;
    ChipImage image_;
    ChipState state_;
};

}  // namespace tarnwick
