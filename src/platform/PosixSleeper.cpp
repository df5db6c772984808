#include "platform/PosixSleeper.h"

#include <cerrno>
#include <ctime>
#include <sys/prctl.h>

namespace tarnwick {

void UseTightTimerSlack()
{
    // 1 ns: the waits are 2 ms apart, so the default 50 us slack alone would cost 2.5 %.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

PosixSleeper::PosixSleeper() { UseTightTimerSlack(); }

void PosixSleeper::SleepFor(std::chrono::microseconds duration)
{
    if (duration <= std::chrono::microseconds::zero())
        return;
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    const auto total_ns = deadline.tv_nsec + std::chrono::nanoseconds(duration).count();
    deadline.tv_sec += static_cast<time_t>(total_ns / 1'000'000'000);
    deadline.tv_nsec = static_cast<long>(total_ns % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

}  // namespace tarnwick
