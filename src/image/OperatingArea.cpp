#include "image/OperatingArea.h"

#include "image/ChipImage.h"
#include "image/ChipCatalogue.h"
#include "platform/AppError.h"

#include <cstdio>

namespace tarnwick {
namespace {

constexpr int kBlockShift = 16;
constexpr int kSectorShift = 12;

[[nodiscard]] std::string AreaText(const OperatingArea& area)
{
    return HexAddress(area.StartAddress) + ".." + HexAddress(area.EndAddress);
}

}  // namespace

std::int32_t StartAddressOf(std::int32_t block, std::int32_t sector)
{
    const std::uint32_t address = (static_cast<std::uint32_t>(block) << kBlockShift) +
                                  (static_cast<std::uint32_t>(sector) << kSectorShift);
    return static_cast<std::int32_t>(address);
}

std::int32_t EndAddressOf(std::int32_t block, std::int32_t sector)
{
    const std::uint32_t start = static_cast<std::uint32_t>(StartAddressOf(block, sector));
    return static_cast<std::int32_t>(start + (kSectorSize - 1));
}

std::string HexAddress(std::int32_t address)
{
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(static_cast<std::uint32_t>(address)));
    return digits;
}

ImageRange RequireInsideImage(const OperatingArea& area)
{
    const std::int64_t start = area.StartAddress;
    const std::int64_t length = std::int64_t{area.EndAddress} - start + 1;
    if (length < 0)
        throw AppError("The operating area " + AreaText(area) + " ends before it starts");
    if (start < 0 || !ChipImage::Holds(static_cast<std::uint64_t>(start), static_cast<std::uint64_t>(length)))
        throw AppError("The operating area " + AreaText(area) + " lies outside the chip image 00000000.." +
                       HexAddress(static_cast<std::int32_t>(ChipImage::kCapacity - 1)));
    return {static_cast<std::size_t>(start), static_cast<std::size_t>(length)};
}

}  // namespace tarnwick
