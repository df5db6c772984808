#pragma once

#include <chrono>

namespace tarnwick {

// Waits the program must keep (the chip's erase, program and transfer times).
// An implementation waits at least the time asked and as little more as it can.
class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void SleepFor(std::chrono::microseconds duration) = 0;
};

}  // namespace tarnwick
