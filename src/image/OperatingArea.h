#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick {

// The chip addresses a run or a file command works on; EndAddress is the area's last byte.
// Both are computed from what the operator typed and may lie anywhere, even end before start.
struct OperatingArea {
    std::int32_t StartAddress = 0;
    std::int32_t EndAddress = 0;

    bool operator==(const OperatingArea&) const = default;
};

// The address arithmetic wraps at 32 bits, as the operator's display shows it; a sector number
// above 15 simply steps on into the next block.
[[nodiscard]] std::int32_t StartAddressOf(std::int32_t block, std::int32_t sector);
[[nodiscard]] std::int32_t EndAddressOf(std::int32_t block, std::int32_t sector);

// Eight upper-case hexadecimal digits of the address's 32-bit pattern ("FFFF0000" for -65536).
[[nodiscard]] std::string HexAddress(std::int32_t address);

// The bytes of the chip image an area stands for.
struct ImageRange {
    std::size_t offset = 0;
    std::size_t count = 0;

    bool operator==(const ImageRange&) const = default;
};

// The part of the chip image the area covers. An area that ends just before it starts is
// empty and allowed; any other area that reaches outside the image, or ends before it starts,
// throws AppError, so no consumer ever indexes outside the image.
[[nodiscard]] ImageRange RequireInsideImage(const OperatingArea& area);

}  // namespace tarnwick
