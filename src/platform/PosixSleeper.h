#pragma once

#include "platform/Sleeper.h"

namespace tarnwick {

// Sleeps to an absolute deadline on the monotonic clock, so an interrupted sleep resumes
// without drift and the kernel's default 50 us timer slack does not stretch every wait.
class PosixSleeper final : public Sleeper {
public:
    PosixSleeper();
    void SleepFor(std::chrono::microseconds duration) override;
};

// Asks the kernel to wake this thread as close to its deadlines as it can.
void UseTightTimerSlack();

}  // namespace tarnwick
