#pragma once

#include "platform/Clock.h"

namespace tarnwick::test {

// A clock that shows whatever time the test sets.
class FixedClock final : public Clock {
public:
    TimeOfDay now;
    [[nodiscard]] TimeOfDay LocalTimeOfDay() const override { return now; }
};

}  // namespace tarnwick::test
