#pragma once

#include "link/Portfunctions.h"

#include <chrono>
#include <cstdint>
#include <span>

namespace tarnwick {

// Gathers one whole bridge answer. ReceivePacket hands back what is queued at its first
// successful look, so an answer still on the line arrives in pieces; taking a piece as the
// whole answer would shift every later answer by the missing bytes.
class AnswerCollector {
public:
    // The whole answer must be in within the wait that one ReceivePacket allows: the bridge
    // answers within microseconds, so anything slower is a failed exchange.
    static constexpr std::chrono::milliseconds kAnswerBudget = Portfunctions::kAnswerLooks * Portfunctions::kLookInterval;

    explicit AnswerCollector(Portfunctions& port) : port_(port) {}

    // Fills all of `answer`, in the order the bytes came over the line. False when a look
    // budget passes with nothing new, or the answer is still short once kAnswerBudget has
    // passed since the first look. Bytes beyond answer.size() that come in the same piece
    // were not asked for and are dropped: no later answer can begin before its own fetch.
    [[nodiscard]] bool Collect(std::span<std::uint8_t> answer);

private:
    Portfunctions& port_;
};

}  // namespace tarnwick
