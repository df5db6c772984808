#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace tarnwick::test {

// One ordered record of what a sequence did: packets written, waits, progress and
// disconnects, so a test sees each wait in its place between the packets.
class Timeline {
public:
    void Add(std::string event) { events_.push_back(std::move(event)); }
    [[nodiscard]] const std::vector<std::string>& Events() const { return events_; }

private:
    std::vector<std::string> events_;
};

// "42 20": bytes as the traces in the tests spell them.
[[nodiscard]] inline std::string Hex(std::span<const std::uint8_t> bytes)
{
    std::string text;
    for (const auto byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        if (!text.empty())
            text += ' ';
        text += digits;
    }
    return text;
}

}  // namespace tarnwick::test
