#include "image/OperatingAreaFields.h"

#include "image/StrToInt.h"

namespace tarnwick {
namespace {

[[nodiscard]] std::int32_t FieldValue(const ChipWindow& window, AreaField field)
{
    return StrToInt(window.AreaFieldText(field));
}

using AddressOf = std::int32_t (*)(std::int32_t block, std::int32_t sector);

void ShowAddress(ChipWindow& window, AreaField blockField, AreaField sectorField, AddressOf addressOf,
                 AddressField display)
{
    const std::string blockText = window.AreaFieldText(blockField);
    const std::string sectorText = window.AreaFieldText(sectorField);
    // The operator is half way through typing the pair: nothing to show yet.
    if (blockText.empty() || sectorText.empty())
        return;
    const std::int32_t block = StrToInt(blockText);
    const std::int32_t sector = StrToInt(sectorText);
    window.SetAddressText(display, HexAddress(addressOf(block, sector)));
}

}  // namespace

OperatingArea ReadOperatingArea(const ChipWindow& window)
{
    const std::int32_t startBlock = FieldValue(window, AreaField::Edit2);
    const std::int32_t startSector = FieldValue(window, AreaField::Edit3);
    const std::int32_t endBlock = FieldValue(window, AreaField::Edit4);
    const std::int32_t endSector = FieldValue(window, AreaField::Edit5);
    return {StartAddressOf(startBlock, startSector), EndAddressOf(endBlock, endSector)};
}

void Edit2Change(ChipWindow& window)
{
    ShowAddress(window, AreaField::Edit2, AreaField::Edit3, StartAddressOf, AddressField::Edit6);
}

void Edit4Change(ChipWindow& window)
{
    ShowAddress(window, AreaField::Edit4, AreaField::Edit5, EndAddressOf, AddressField::Edit7);
}

}  // namespace tarnwick
