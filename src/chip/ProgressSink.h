#pragma once

namespace tarnwick {

// What a chip run needs of a progress display. Close() must be harmless when nothing is
// open: a failing sequence closes it also for callers that never opened one.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Shows a new display with its bar at 0, without blocking.
    virtual void Open() = 0;
    // Moves the bar to `percent`, 0 to 100.
    virtual void SetPosition(int percent) = 0;
    virtual void Close() = 0;
};

}  // namespace tarnwick
