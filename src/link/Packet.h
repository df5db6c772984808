#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace tarnwick {

// The unit written to and read from the bridge: on the wire exactly the first Length bytes
// of Data, with no framing. Bytes at and beyond Length mean nothing.
struct Packet {
    static constexpr std::int32_t kCapacity = 32;

    std::array<std::uint8_t, kCapacity> Data{};
    std::int32_t Length = 0;

    [[nodiscard]] static Packet Of(std::span<const std::uint8_t> bytes)
    {
        Packet packet;
        const auto count = std::min(bytes.size(), packet.Data.size());
        std::copy_n(bytes.begin(), count, packet.Data.begin());
        packet.Length = static_cast<std::int32_t>(count);
        return packet;
    }
    [[nodiscard]] static Packet Of(std::initializer_list<std::uint8_t> bytes)
    {
        return Of(std::span(bytes.begin(), bytes.size()));
    }
    // The meaningful bytes; empty for a Length outside 0..32.
    [[nodiscard]] std::span<const std::uint8_t> Bytes() const
    {
        if (Length < 0 || Length > kCapacity)
            return {};
        return std::span(Data).first(static_cast<std::size_t>(Length));
    }
};

}  // namespace tarnwick
