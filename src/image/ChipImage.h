#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tarnwick {

// The in-memory copy of the chip: byte a is the content of chip address a. Its capacity is
// the largest chip's size, allocated once; every reader and writer stays inside it.
class ChipImage {
public:
    static constexpr std::size_t kCapacity = 8 * 1024 * 1024;

    [[nodiscard]] std::span<std::uint8_t> Bytes() { return bytes_; }
    [[nodiscard]] std::span<const std::uint8_t> Bytes() const { return bytes_; }
    // True when the `count` bytes from `start` all lie inside the image.
    [[nodiscard]] static constexpr bool Holds(std::uint64_t start, std::uint64_t count)
    {
        return start <= kCapacity && count <= kCapacity - start;
    }

private:
    std::vector<std::uint8_t> bytes_ = std::vector<std::uint8_t>(kCapacity, 0);
};

}  // namespace tarnwick
