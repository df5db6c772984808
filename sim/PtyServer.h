#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "sim/Bridge.h"
#include "sim/ContentsFile.h"
#include "sim/PacketTrace.h"
#include "sim/PtyDevice.h"
#include "sim/SerialLine.h"
#include "sim/SimOptions.h"
#include "platform/UniqueFd.h"
#include "sim/W25qChip.h"

namespace tarnwick::sim {

// Serves a simulated bridge and chip on a pseudo-terminal: emulates the line rate if asked,
// injects the configured faults, traces packets and keeps the contents file up to date.
class PtyServer {
 public:
  explicit PtyServer(SimOptions options);  // creates the pty; throws std::runtime_error on failure
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;
  ~PtyServer();                            // stops the thread, saves contents, removes the symlink

  [[nodiscard]] const std::string& DevicePath() const { return device_.SlavePath(); }
  void Start();  // serve on a background thread
  void Stop();
  void Unplug();  // close the master now (the host sees the device vanish)

  // Thread-safe snapshots and edits of the chip, for tests.
  [[nodiscard]] std::vector<std::uint8_t> ReadArray(std::uint32_t address, std::size_t count) const;
  void WriteArray(std::uint32_t address, std::span<const std::uint8_t> bytes);
  [[nodiscard]] std::uint8_t Status1() const;
  [[nodiscard]] std::uint8_t Status2() const;
  void SetStatus(std::uint8_t s1, std::uint8_t s2);
  [[nodiscard]] std::size_t PacketsSeen() const { return packets_; }
  [[nodiscard]] std::size_t ConfigurationsSeen() const { return configurations_; }
  [[nodiscard]] std::vector<std::string> SettingsWarnings() const;

 private:
  using TimePoint = std::chrono::steady_clock::time_point;
  struct TimedByte {
    TimePoint at;
    std::uint8_t byte;
  };

  void Serve();
  [[nodiscard]] std::optional<TimePoint> NextDeadline() const;
  void WaitForWork(std::optional<TimePoint> deadline);
  void ReadFromHost(TimePoint now);
  void CheckLineSettings();
  void ProcessArrivedBytes(TimePoint now);
  void HandlePacket(const BridgePacket& packet, TimePoint arrived);
  void SendAnswer(std::span<const std::uint8_t> answer, TimePoint ready);
  void Send(std::span<const std::uint8_t> bytes, TimePoint ready);
  void DeliverDueBytes(TimePoint now);
  void UnplugNow();
  void SaveIfDue(TimePoint now);
  void SaveNow();
  void Wake();
  [[nodiscard]] W25qChip::Micros ChipTime(TimePoint at) const;

  SimOptions options_;
  TimePoint start_;
  PtyDevice device_;
  UniqueFd wake_;  // eventfd: Stop and Unplug interrupt the serving thread's wait
  PacketTrace trace_;

  mutable std::mutex chipMutex_;  // also guards closing the device
  std::condition_variable unplugged_;
  W25qChip chip_;
  Bridge bridge_;
  TimePoint feedTime_{};  // when the byte being fed arrived; the bridge's notion of now

  std::thread thread_;
  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> unplugRequested_{false};
  std::atomic<std::size_t> packets_{0};
  std::atomic<std::size_t> configurations_{0};

  mutable std::mutex warningsMutex_;
  std::vector<std::string> settingsWarnings_;
  std::set<std::string> reportedSettings_;

  // Serving-thread state.
  SerialLine fromHost_;
  SerialLine toHost_;
  std::deque<TimedByte> arriving_;  // read from the master, still on the wire
  std::deque<TimedByte> leaving_;   // answers not yet due at the host
  bool masterWritable_ = true;      // false after EAGAIN until ppoll says otherwise
  bool unaskedSent_ = false;

  std::unique_ptr<ContentsSaver> saver_;
  std::uint64_t savedVersion_ = 0;
  std::uint64_t seenVersion_ = 0;
  TimePoint lastChange_{};
  std::optional<TimePoint> firstUnsavedChange_;
};

}  // namespace tarnwick::sim
