#include "chip/AnswerCollector.h"

#include <algorithm>

namespace tarnwick {

bool AnswerCollector::Collect(std::span<std::uint8_t> answer)
{
    // Time, not a count of calls: each ReceivePacket spends an unknown share of its looks.
    const auto deadline = std::chrono::steady_clock::now() + kAnswerBudget;
    std::size_t collected = 0;
    while (collected < answer.size()) {
        const Packet piece = port_.ReceivePacket();
        const auto bytes = piece.Bytes();
        if (bytes.empty())
            return false;  // a whole look budget passed without a byte
        const std::size_t taken = std::min(bytes.size(), answer.size() - collected);
        std::copy_n(bytes.begin(), taken, answer.begin() + static_cast<std::ptrdiff_t>(collected));
        collected += taken;
        if (collected < answer.size() && std::chrono::steady_clock::now() >= deadline)
            return false;
    }
    return true;
}

}  // namespace tarnwick
