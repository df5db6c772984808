#pragma once

#include "link/SerialDevice.h"
#include "platform/UniqueFd.h"

#include <chrono>
#include <termios.h>

namespace tarnwick {

// A serial port through the POSIX terminal interface, opened non-blocking and exclusive.
class PosixSerialDevice final : public SerialDevice {
public:
    // A write that cannot go out for this long means the device has stalled (unplugged,
    // flow-controlled for good); at 115200 bit/s a whole packet needs about 3 ms.
    static constexpr std::chrono::milliseconds kStalledWriteLimit{5000};

    explicit PosixSerialDevice(std::chrono::milliseconds stalledWriteLimit = kStalledWriteLimit)
        : stalledWriteLimit_(stalledWriteLimit)
    {
    }

    [[nodiscard]] bool Open(const std::string& devicePath) override;
    [[nodiscard]] bool ReadLineSettings() override;
    [[nodiscard]] bool ApplyBridgeLineSettings() override;
    void PurgeQueues() override;
    void Close() override;
    [[nodiscard]] bool IsOpen() const override { return static_cast<bool>(fd_); }

    [[nodiscard]] bool Write(std::span<const std::uint8_t> bytes) override;
    [[nodiscard]] std::size_t BytesWaiting() override;
    [[nodiscard]] std::size_t Read(std::span<std::uint8_t> into) override;
    void WaitForInput(std::chrono::microseconds atMost) override;

private:
    [[nodiscard]] bool WaitUntilWritable(std::chrono::steady_clock::time_point deadline) const;

    std::chrono::milliseconds stalledWriteLimit_;
    UniqueFd fd_;
    termios settings_{};
};

}  // namespace tarnwick
