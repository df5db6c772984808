// A console stand-in for the main window, until the window exists: connects to the bridge on
// the port given, explains the status registers, reads the chip's first sector and shows its
// beginning, then disconnects. Every log line goes to standard output as it is appended.
#include "chip/W25qxx.h"
#include "link/PosixSerialDevice.h"
#include "link/PortPath.h"
#include "link/Portfunctions.h"
#include "platform/PosixClock.h"
#include "platform/PosixSleeper.h"

#include <cstdio>
#include <iostream>

namespace tarnwick {
namespace {

class ConsoleLogView final : public LogView {
public:
    void AppendLine(const std::string& line) override
    {
        std::cout << line << '\n' << std::flush;
        lines_.push_back(line);
    }
    [[nodiscard]] std::vector<std::string> Lines() const override { return lines_; }

private:
    std::vector<std::string> lines_;
};

class ConsoleProgress final : public ProgressSink {
public:
    void Open() override { std::cout << "progress 0 %\n"; }
    void SetPosition(int percent) override { std::cout << "progress " << percent << " %\n"; }
    void Close() override {}
};

constexpr std::uint32_t kFirstSectorEnd = 4095;
constexpr std::size_t kBytesShown = 32;

int Run(const std::string& portName)
{
    ConsoleLogView view;
    PosixClock clock;
    Sendmsgfunctions log(view, clock);
    PosixSerialDevice device;
    Portfunctions port(device, log);
    PosixSleeper sleeper;
    ConsoleProgress progress;
    ChipImage image;
    const auto disconnect = [&] {
        port.ClosePort();
        log.SendMsg(msg::kPortClosed);
    };
    W25qxx chip(port, log, image, sleeper, progress, disconnect);

    const std::string path = std::string(kPortPathPrefix) + portName;
    port.OpenPort(path);
    if (!port.IsOpen()) {
        log.SendMsg(msg::kPortNotAvailable);
        return 1;
    }
    log.SendMsg(msg::kPortOpen, path);

    log.SendMsg(msg::kStatusReadStarts);
    const StatusPair status = chip.ReadStatus();
    if (!status.Valid) {
        log.SendMsg(msg::kIncomplete);
        return 1;
    }
    std::printf("Status 1 = %02X, Status 2 = %02X\n", status.Status1, status.Status2);
    chip.ShowStatusBits(status.Status1, status.Status2);
    log.SendMsg(msg::kSuccess);

    log.SendMsg(msg::kReadingStarts);
    log.SendStartTime();
    progress.Open();
    if (!chip.ReadData(0, kFirstSectorEnd)) {
        log.SendMsg(msg::kIncomplete);
        return 1;
    }
    progress.Close();
    log.SendMsg(msg::kSuccess);
    log.SendEndTime();
    for (std::size_t at = 0; at < kBytesShown; ++at)
        std::printf("%02X%c", image.Bytes()[at], at % 16 == 15 ? '\n' : ' ');
    disconnect();
    return 0;
}

}  // namespace
}  // namespace tarnwick

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PORT   (COM1, ttyUSB0, or a device path such as /dev/pts/3)\n", argv[0]);
        return 2;
    }
    return tarnwick::Run(argv[1]);
}
