#include "platform/PosixSleeper.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <sys/prctl.h>

namespace tarnwick {

void UseTightTimerSlack()
{
    // 1 ns: the waits are 2 ms apart, so the default 50 us slack alone would cost 2.5 %.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

PosixSleeper::PosixSleeper() { UseTightTimerSlack(); }

namespace {

// A sleeping thread wakes some tens of microseconds after its deadline (measured: about 40 us
// here), which is 2 % of every 2 ms transfer wait. The last stretch is therefore spent
// watching the clock instead, at a small cost in processor time.
constexpr std::chrono::microseconds kWatchedTail{60};

timespec After(const timespec& start, std::chrono::nanoseconds duration)
{
    const auto total_ns = start.tv_nsec + duration.count();
    return {start.tv_sec + static_cast<time_t>(total_ns / 1'000'000'000), static_cast<long>(total_ns % 1'000'000'000)};
}

bool Before(const timespec& a, const timespec& b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

}  // namespace

void PosixSleeper::SleepFor(std::chrono::microseconds duration)
{
    if (duration <= std::chrono::microseconds::zero())
        return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const timespec deadline = After(now, duration);
    if (duration > kWatchedTail) {
        const timespec wake = After(now, duration - kWatchedTail);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
        }
    }
    do
        clock_gettime(CLOCK_MONOTONIC, &now);
    while (Before(now, deadline));
}

}  // namespace tarnwick
