#pragma once

#include <filesystem>
#include <string>

namespace tarnwick {

// The four input fields of the operating area, named as in the window.
enum class AreaField {
    Edit2,  // start block
    Edit3,  // start sector within the start block
    Edit4,  // end block
    Edit5,  // end sector within the end block
};

// The two read-only fields that show the area's first and last address.
enum class AddressField {
    Edit6,  // StartAddress
    Edit7,  // EndAddress
};

// The buttons that need a connected bridge.
enum class ChipButton {
    Button1,  // Read Chip
    Button2,  // Write Chip
    Button5,  // Read Status
    Button6,  // Write Status
};

// What the chip selection, the operating area and the image files read and write of the main
// window. The window implements it with its widgets; tests implement it in memory.
class ChipWindow {
public:
    virtual ~ChipWindow() = default;

    virtual void SetChipName(const std::string& text) = 0;  // Edit1

    [[nodiscard]] virtual std::string AreaFieldText(AreaField field) const = 0;
    // Sets the field's text as typing would: when the text differs from the one it replaces,
    // the field's change handler (Edit2Change for Edit2 and Edit3, Edit4Change for Edit4 and
    // Edit5) runs before this returns, inside the window's error guard, so an error it raises
    // is shown and does not reach the caller.
    virtual void SetAreaFieldText(AreaField field, const std::string& text) = 0;
    virtual void SetAddressText(AddressField field, const std::string& text) = 0;

    virtual void SetButtonEnabled(ChipButton button, bool enabled) = 0;

    // Image1: shows the JPEG picture in `file`, or nothing at all.
    virtual void ShowPicture(const std::filesystem::path& file) = 0;
    virtual void ClearPicture() = 0;

    virtual void SetStatusText(const std::string& text) = 0;  // StaticText1
};

}  // namespace tarnwick
