#pragma once

#include "platform/Clock.h"

namespace tarnwick {

class PosixClock final : public Clock {
public:
    [[nodiscard]] TimeOfDay LocalTimeOfDay() const override;
};

}  // namespace tarnwick
