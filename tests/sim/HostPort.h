#pragma once

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/UniqueFd.h"

namespace tarnwick::sim::testing {

// The host side of the simulated port, with plain POSIX calls as Tarnwick would make them.
class HostPort {
 public:
  using Clock = std::chrono::steady_clock;

  explicit HostPort(const std::string& path)
      : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {}

  [[nodiscard]] bool Valid() const { return static_cast<bool>(fd_); }

  // 115200 8N2 raw, or 9600 8N1 raw to provoke the settings warning.
  bool Configure(bool forBridge) {
    termios settings{};
    if (::tcgetattr(fd_.get(), &settings) != 0) return false;
    cfmakeraw(&settings);
    const speed_t speed = forBridge ? B115200 : B9600;
    cfsetispeed(&settings, speed);
    cfsetospeed(&settings, speed);
    settings.c_cflag |= CLOCAL | CREAD;
    if (forBridge) settings.c_cflag |= CSTOPB;
    else settings.c_cflag &= ~CSTOPB;
    return ::tcsetattr(fd_.get(), TCSANOW, &settings) == 0;
  }

  bool Write(const std::vector<std::uint8_t>& bytes) {
    return ::write(fd_.get(), bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }

  struct Received {
    std::vector<std::uint8_t> bytes;
    std::vector<Clock::time_point> times;  // when each byte was read
    bool hungUp = false;
  };

  // Reads until `count` bytes came, the timeout passed or the port hung up.
  Received Read(std::size_t count, std::chrono::milliseconds timeout) {
    Received received;
    const auto deadline = Clock::now() + timeout;
    while (received.bytes.size() < count) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) break;
      pollfd fd{fd_.get(), POLLIN, 0};
      if (::poll(&fd, 1, static_cast<int>(left.count()) + 1) <= 0) continue;
      std::uint8_t buffer[64];
      const ssize_t n = ::read(fd_.get(), buffer, std::min(sizeof buffer, count - received.bytes.size()));
      const auto now = Clock::now();
      if (n < 0 && errno == EAGAIN) continue;
      if (n <= 0) {  // EOF or EIO: the other end is gone
        received.hungUp = true;
        break;
      }
      for (ssize_t i = 0; i < n; ++i) {
        received.bytes.push_back(buffer[i]);
        received.times.push_back(now);
      }
    }
    return received;
  }

 private:
  UniqueFd fd_;
};

// Polls a condition the serving thread will make true soon.
inline bool Eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds timeout = std::chrono::seconds{5}) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds{1});
  }
  return true;
}

}  // namespace tarnwick::sim::testing
