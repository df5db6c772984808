#pragma once

#include "chip/ProgressSink.h"
#include "support/Timeline.h"

#include <vector>

namespace tarnwick::test {

// Puts every progress call on the timeline and keeps the positions for the progress tests.
class RecordingProgress final : public ProgressSink {
public:
    explicit RecordingProgress(Timeline& timeline) : timeline_(timeline) {}

    void Open() override { timeline_.Add("progress opened"); }
    void SetPosition(int percent) override
    {
        positions_.push_back(percent);
        timeline_.Add("position " + std::to_string(percent));
    }
    void Close() override { timeline_.Add("progress closed"); }

    [[nodiscard]] const std::vector<int>& Positions() const { return positions_; }

private:
    Timeline& timeline_;
    std::vector<int> positions_;
};

}  // namespace tarnwick::test
