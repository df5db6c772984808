#pragma once

namespace tarnwick {

struct TimeOfDay {
    int hour = 0;  // 0..23
    int minute = 0;
    int second = 0;
};

// The local wall-clock time, behind an interface so the log's timing lines can be tested.
class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual TimeOfDay LocalTimeOfDay() const = 0;
};

}  // namespace tarnwick
