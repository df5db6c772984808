#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tarnwick {

// The serial port as the link needs it, one step per operation so each failure can be
// reported for what it is. The POSIX terminal is one implementation; tests plug in fakes.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens the device exclusively: false when it is missing or another program holds it.
    [[nodiscard]] virtual bool Open(const std::string& devicePath) = 0;
    // Reads the port's current line settings; false when the device has none (not a port).
    [[nodiscard]] virtual bool ReadLineSettings() = 0;
    // Applies 115200 bit/s, 8 data bits, no parity, 2 stop bits, raw, no handshaking,
    // DTR and RTS off, on top of the settings read; false when the port refuses them.
    [[nodiscard]] virtual bool ApplyBridgeLineSettings() = 0;
    // Drops whatever both queues hold.
    virtual void PurgeQueues() = 0;
    virtual void Close() = 0;
    [[nodiscard]] virtual bool IsOpen() const = 0;

    // Writes all of `bytes`; false when the write fails or stalls beyond a generous bound.
    [[nodiscard]] virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
    // Received bytes waiting to be read; 0 when the count cannot be obtained.
    [[nodiscard]] virtual std::size_t BytesWaiting() = 0;
    // Reads up to into.size() waiting bytes without blocking; returns how many were read.
    [[nodiscard]] virtual std::size_t Read(std::span<std::uint8_t> into) = 0;
    // Waits until input arrives or `atMost` has passed, whichever comes first.
    virtual void WaitForInput(std::chrono::microseconds atMost) = 0;
};

}  // namespace tarnwick
