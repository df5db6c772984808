#pragma once

#include "chip/W25qxx.h"
#include "log/LogView.h"
#include "support/FixedClock.h"
#include "support/RecordingProgress.h"
#include "support/RecordingSleeper.h"
#include "support/ScriptedSerialDevice.h"

namespace tarnwick::test {

// A W25qxx wired to a scripted bridge, with every packet, wait, progress call and
// disconnect on one timeline. The disconnect hook does what the connection control does:
// closes the port and logs code 5.
struct ChipRig {
    Timeline timeline;
    ScriptedSerialDevice device{timeline};
    MemoryLogView view;
    FixedClock clock;
    Sendmsgfunctions log{view, clock};
    Portfunctions port{device, log};
    ChipImage image;
    RecordingSleeper sleeper{timeline};
    RecordingProgress progress{timeline};
    W25qxx chip{port, log, image, sleeper, progress, [this] {
                    timeline.Add("disconnect");
                    port.ClosePort();
                    log.SendMsg(msg::kPortClosed);
                }};

    [[nodiscard]] std::span<std::uint8_t> Image() { return image.Bytes(); }
    [[nodiscard]] const std::vector<std::string>& Trace() const { return timeline.Events(); }
    [[nodiscard]] std::vector<std::string> LogLines() const { return view.Lines(); }
};

}  // namespace tarnwick::test
