#include "link/PosixSerialDevice.h"

#include "platform/PosixSleeper.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tarnwick {
namespace {

timespec ToTimespec(std::chrono::nanoseconds duration)
{
    if (duration < std::chrono::nanoseconds::zero())
        duration = std::chrono::nanoseconds::zero();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    return {static_cast<time_t>(seconds.count()), static_cast<long>((duration - seconds).count())};
}

// Raw bytes at 115200 bit/s, 8 data bits, no parity, 2 stop bits, no flow control of any kind.
void MakeBridgeLine(termios& line)
{
    line.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                                           IXOFF | IXANY | INPCK);
    line.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    line.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CRTSCTS);
    line.c_cflag |= CS8 | CSTOPB | CLOCAL | CREAD;
    // Reads never block: the link polls for answers itself.
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    cfsetispeed(&line, B115200);
    cfsetospeed(&line, B115200);
}

// tcsetattr succeeds when any part of a change was taken, so read back what really holds.
bool LineMatches(const termios& wanted, const termios& actual)
{
    constexpr tcflag_t kControlBits = CSIZE | PARENB | CSTOPB | CRTSCTS | CLOCAL | CREAD;
    return cfgetispeed(&actual) == cfgetispeed(&wanted) && cfgetospeed(&actual) == cfgetospeed(&wanted) &&
           (actual.c_cflag & kControlBits) == (wanted.c_cflag & kControlBits) &&
           (actual.c_lflag & (ICANON | ECHO | ISIG)) == 0 && (actual.c_iflag & (IXON | IXOFF | ICRNL)) == 0 &&
           (actual.c_oflag & OPOST) == 0;
}

}  // namespace

bool PosixSerialDevice::Open(const std::string& devicePath)
{
    Close();
    UniqueFd fd(open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd)
        return false;
    // The lock keeps out a second opener even when it runs as root, which TIOCEXCL does not.
    if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
        return false;
    // Not a terminal (a plain file) fails later, when its line settings are read.
    ioctl(fd.get(), TIOCEXCL);
    fd_ = std::move(fd);
    // Each wait between looks for an answer is 1 ms; keep the kernel from stretching it.
    UseTightTimerSlack();
    return true;
}

bool PosixSerialDevice::ReadLineSettings() { return tcgetattr(fd_.get(), &settings_) == 0; }

bool PosixSerialDevice::ApplyBridgeLineSettings()
{
    termios wanted = settings_;
    MakeBridgeLine(wanted);
    if (tcsetattr(fd_.get(), TCSANOW, &wanted) != 0)
        return false;
    termios actual{};
    if (tcgetattr(fd_.get(), &actual) != 0 || !LineMatches(wanted, actual))
        return false;
    // DTR and RTS off. A pseudo-terminal has no modem lines and says so; that is no failure.
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (ioctl(fd_.get(), TIOCMBIC, &lines) != 0 && errno != EINVAL && errno != ENOTTY)
        return false;
    return true;
}

void PosixSerialDevice::PurgeQueues() { tcflush(fd_.get(), TCIOFLUSH); }

void PosixSerialDevice::Close() { fd_.reset(); }

bool PosixSerialDevice::Write(std::span<const std::uint8_t> bytes)
{
    if (!fd_)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + stalledWriteLimit_;
    while (!bytes.empty()) {
        const ssize_t written = write(fd_.get(), bytes.data(), bytes.size());
        if (written > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
        if (!WaitUntilWritable(deadline))
            return false;
    }
    return true;
}

bool PosixSerialDevice::WaitUntilWritable(std::chrono::steady_clock::time_point deadline) const
{
    for (;;) {
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::nanoseconds::zero())
            return false;
        pollfd watch{fd_.get(), POLLOUT, 0};
        const timespec timeout = ToTimespec(left);
        const int ready = ppoll(&watch, 1, &timeout, nullptr);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || (watch.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
            return false;
        if (ready > 0)
            return true;
    }
}

std::size_t PosixSerialDevice::BytesWaiting()
{
    int waiting = 0;
    if (!fd_ || ioctl(fd_.get(), TIOCINQ, &waiting) != 0 || waiting < 0)
        return 0;
    return static_cast<std::size_t>(waiting);
}

std::size_t PosixSerialDevice::Read(std::span<std::uint8_t> into)
{
    if (!fd_ || into.empty())
        return 0;
    for (;;) {
        const ssize_t got = read(fd_.get(), into.data(), into.size());
        if (got < 0 && errno == EINTR)
            continue;
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }
}

void PosixSerialDevice::WaitForInput(std::chrono::microseconds atMost)
{
    if (!fd_)
        return;
    pollfd watch{fd_.get(), POLLIN, 0};
    const timespec timeout = ToTimespec(atMost);
    ppoll(&watch, 1, &timeout, nullptr);
}

}  // namespace tarnwick
