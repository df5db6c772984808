#pragma once

#include <optional>
#include <string>

namespace tarnwick {

// The main window's open and save dialogs for image files. Both offer the one filter "*.bin",
// add no default extension (a name typed without one is used as typed), leave the working
// directory as it was, and offer the name last chosen in them. The save dialog asks nothing
// about replacing an existing file: the commands that need a confirmation ask for it.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The full path chosen, or nothing when the operator cancelled.
    [[nodiscard]] virtual std::optional<std::string> ChooseFileToOpen() = 0;
    [[nodiscard]] virtual std::optional<std::string> ChooseFileToSave() = 0;
};

}  // namespace tarnwick
