#pragma once

#include "image/ChipState.h"
#include "image/ChipWindow.h"
#include "log/Sendmsgfunctions.h"
#include "platform/MessageBoxes.h"

#include <filesystem>
#include <utility>
#include <vector>

namespace tarnwick {

// The main-window helpers of the chip selection and of the connection control.
class Formfunctions {
public:
    // `pictureFolders`: where the wiring picture is looked for, in order (see PictureLookup.h).
    Formfunctions(ChipWindow& window, MessageBoxes& boxes, Sendmsgfunctions& log,
                  std::vector<std::filesystem::path> pictureFolders)
        : window_(window), boxes_(boxes), log_(log), pictureFolders_(std::move(pictureFolders))
    {
    }

    // Shows `chip`: its picture (or the missing-picture box and a blank picture), its name, the
    // whole chip as the operating area, and the two explanatory log lines.
    void ShowChipInfo(const ChipState& chip);
    void EnableChipButtons();
    void DisableChipButtons();

private:
    void ShowPicture(const ChipState& chip);
    void SetChipButtons(bool enabled);

    ChipWindow& window_;
    MessageBoxes& boxes_;
    Sendmsgfunctions& log_;
    std::vector<std::filesystem::path> pictureFolders_;
};

}  // namespace tarnwick
