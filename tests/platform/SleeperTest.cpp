#include "platform/PosixSleeper.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using namespace std::chrono_literals;

TEST(PosixSleeperTest, NeverWakesBeforeTheTimeAsked)
{
    PosixSleeper sleeper;
    for (const auto wait : {1ms, 2ms, 3ms}) {
        const auto started = std::chrono::steady_clock::now();
        sleeper.SleepFor(wait);
        EXPECT_GE(std::chrono::steady_clock::now() - started, wait);
    }
}

}  // namespace
}  // namespace tarnwick
