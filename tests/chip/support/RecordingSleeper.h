#pragma once

#include "platform/Sleeper.h"
#include "support/Timeline.h"

namespace tarnwick::test {

// Takes no time; puts each wait on the timeline as "wait N ms" (or "wait N us").
class RecordingSleeper final : public Sleeper {
public:
    explicit RecordingSleeper(Timeline& timeline) : timeline_(timeline) {}

    void SleepFor(std::chrono::microseconds duration) override
    {
        const auto count = duration.count();
        timeline_.Add(count % 1000 == 0 ? "wait " + std::to_string(count / 1000) + " ms"
                                        : "wait " + std::to_string(count) + " us");
    }

private:
    Timeline& timeline_;
};

}  // namespace tarnwick::test
