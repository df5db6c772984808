#pragma once

#include "image/ChipWindow.h"
#include "image/OperatingAreaFields.h"
#include "platform/ErrorDisplay.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarnwick::test {

// The main window in memory. Its area fields behave as the real ones do: a text that changes
// runs the field's change handler inside the error guard; the same text again runs nothing.
class FakeChipWindow final : public ChipWindow {
public:
    explicit FakeChipWindow(ErrorDisplay& errors) : errors_(errors) {}

    void SetChipName(const std::string& text) override { chipName = text; }

    [[nodiscard]] std::string AreaFieldText(AreaField field) const override
    {
        return areaFields[static_cast<std::size_t>(field)];
    }

    void SetAreaFieldText(AreaField field, const std::string& text) override
    {
        std::string& current = areaFields[static_cast<std::size_t>(field)];
        if (current == text)
            return;
        current = text;
        RunGuarded(errors_, [&] {
            if (field == AreaField::Edit2 || field == AreaField::Edit3)
                Edit2Change(*this);
            else
                Edit4Change(*this);
        });
    }

    void SetAddressText(AddressField field, const std::string& text) override
    {
        addresses[static_cast<std::size_t>(field)] = text;
    }

    void SetButtonEnabled(ChipButton button, bool enabled) override { buttonChanges.emplace_back(button, enabled); }

    void ShowPicture(const std::filesystem::path& file) override { picture = file; }
    void ClearPicture() override { picture.reset(); }

    void SetStatusText(const std::string& text) override { statusText = text; }

    // The operator typing all four fields, one after the other.
    void TypeArea(const std::string& startBlock, const std::string& startSector, const std::string& endBlock,
                  const std::string& endSector)
    {
        SetAreaFieldText(AreaField::Edit2, startBlock);
        SetAreaFieldText(AreaField::Edit3, startSector);
        SetAreaFieldText(AreaField::Edit4, endBlock);
        SetAreaFieldText(AreaField::Edit5, endSector);
    }

    [[nodiscard]] const std::string& Edit6() const { return addresses[0]; }
    [[nodiscard]] const std::string& Edit7() const { return addresses[1]; }

    std::string chipName;
    std::array<std::string, 4> areaFields;  // Edit2..Edit5
    std::array<std::string, 2> addresses;   // Edit6, Edit7
    std::vector<std::pair<ChipButton, bool>> buttonChanges;
    std::optional<std::filesystem::path> picture;
    std::string statusText;

private:
    ErrorDisplay& errors_;
};

}  // namespace tarnwick::test
