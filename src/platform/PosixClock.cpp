#include "platform/PosixClock.h"

#include <ctime>

namespace tarnwick {

TimeOfDay PosixClock::LocalTimeOfDay() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace tarnwick
