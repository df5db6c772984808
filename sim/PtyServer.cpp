#include "sim/PtyServer.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <iostream>
#include <stdexcept>

#include "sim/LineSettings.h"

namespace tarnwick::sim {
namespace {

using std::chrono::steady_clock;

// A quiet spell this long after a change means the host has finished an operation.
static constexpr std::chrono::milliseconds kSaveWhenQuietFor{100};
// Under continuous programming still save this often, so a killed simulator loses little.
static constexpr std::chrono::seconds kSaveAtLeastEvery{1};
// How late a sleeping thread typically wakes here (about 40 us), with a margin.
static constexpr std::chrono::microseconds kWatchedTail{60};

SimOptions Validated(SimOptions options) {
  const int size = options.sizeMbit;
  if (size != 8 && size != 16 && size != 32 && size != 64) {
    throw std::runtime_error("chip size must be 8, 16, 32 or 64 Mbit, not " + std::to_string(size));
  }
  return options;
}

timespec ToTimespec(std::chrono::nanoseconds duration) {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
  return timespec{static_cast<time_t>(seconds.count()),
                  static_cast<long>((duration - seconds).count())};
}

}  // namespace

PtyServer::PtyServer(SimOptions options)
    : options_(Validated(std::move(options))),
      start_(steady_clock::now()),
      device_(options_.linkPath),
      wake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      trace_(options_.trace, start_),
      chip_(options_.sizeMbit, options_.timing, options_.writeProtectHigh),
      bridge_(chip_, [this] { return ChipTime(feedTime_); }),
      fromHost_(options_.lineRate),
      toHost_(options_.lineRate) {
  if (!wake_) throw std::runtime_error("eventfd failed");
  if (!options_.contentsFile.empty()) {
    LoadedContents loaded = LoadContents(options_.contentsFile, chip_.Size());
    if (loaded.image) chip_.WriteArray(0, *loaded.image);
    if (!loaded.problem.empty()) {
      std::cerr << "tarnwick-sim: " << loaded.problem << '\n';
      trace_.Line("warning: " + loaded.problem);
    }
    saver_ = std::make_unique<ContentsSaver>(options_.contentsFile);
  }
  savedVersion_ = seenVersion_ = chip_.ArrayVersion();
}

PtyServer::~PtyServer() {
  Stop();
  SaveNow();
  saver_.reset();  // writes what is pending before the device and link go away
}

void PtyServer::Start() {
  if (thread_.joinable()) return;
  stopRequested_ = false;
  thread_ = std::thread([this] { Serve(); });
}

void PtyServer::Stop() {
  stopRequested_ = true;
  Wake();
  if (thread_.joinable()) thread_.join();
}

void PtyServer::Unplug() {
  std::unique_lock lock(chipMutex_);
  if (!thread_.joinable()) {
    UnplugNow();
    return;
  }
  unplugRequested_ = true;
  Wake();
  // Synchronous, so that a test may expect the host to see the hang-up right after.
  unplugged_.wait(lock, [this] { return !device_.Open() || stopRequested_; });
}

void PtyServer::Wake() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(wake_.get(), &one, sizeof one);
}

std::vector<std::uint8_t> PtyServer::ReadArray(std::uint32_t address, std::size_t count) const {
  std::lock_guard lock(chipMutex_);
  return chip_.ReadArray(address, count);
}

void PtyServer::WriteArray(std::uint32_t address, std::span<const std::uint8_t> bytes) {
  {
    std::lock_guard lock(chipMutex_);
    chip_.WriteArray(address, bytes);
  }
  Wake();  // so the serving thread notices the change and schedules a save
}

std::uint8_t PtyServer::Status1() const {
  std::lock_guard lock(chipMutex_);
  return chip_.Status1(ChipTime(steady_clock::now()));
}

std::uint8_t PtyServer::Status2() const {
  std::lock_guard lock(chipMutex_);
  return chip_.Status2();
}

void PtyServer::SetStatus(std::uint8_t s1, std::uint8_t s2) {
  std::lock_guard lock(chipMutex_);
  chip_.SetStatus(s1, s2);
}

std::vector<std::string> PtyServer::SettingsWarnings() const {
  std::lock_guard lock(warningsMutex_);
  return settingsWarnings_;
}

W25qChip::Micros PtyServer::ChipTime(TimePoint at) const {
  return std::chrono::duration_cast<W25qChip::Micros>(at - start_);
}

void PtyServer::Serve() {
  // Deadlines here are byte times of ~95 us; the default 50 us slack would blur them.
  ::prctl(PR_SET_TIMERSLACK, 1UL);
  trace_.Line("serving " + device_.SlavePath() + " as a " + std::to_string(options_.sizeMbit) +
              " Mbit chip");
  if (!options_.unaskedBytes.empty() && options_.unaskedAfterPacket == 0 && !unaskedSent_) {
    unaskedSent_ = true;
    trace_.Line("fault: unasked bytes " + HexBytes(options_.unaskedBytes) + " at start");
    Send(options_.unaskedBytes, steady_clock::now());
  }
  while (!stopRequested_) {
    DeliverDueBytes(steady_clock::now());
    WaitForWork(NextDeadline());
    if (unplugRequested_.exchange(false)) {
      std::lock_guard lock(chipMutex_);
      UnplugNow();
    }
    ReadFromHost(steady_clock::now());
    ProcessArrivedBytes(steady_clock::now());
    DeliverDueBytes(steady_clock::now());
    SaveIfDue(steady_clock::now());
  }
}

std::optional<PtyServer::TimePoint> PtyServer::NextDeadline() const {
  std::optional<TimePoint> next;
  const auto consider = [&next](TimePoint at) {
    if (!next || at < *next) next = at;
  };
  if (!arriving_.empty()) consider(arriving_.front().at);
  if (!leaving_.empty() && masterWritable_) consider(leaving_.front().at);
  if (firstUnsavedChange_) {
    consider(std::min(lastChange_ + kSaveWhenQuietFor, *firstUnsavedChange_ + kSaveAtLeastEvery));
  }
  return next;
}

void PtyServer::WaitForWork(std::optional<TimePoint> deadline) {
  std::array<pollfd, 2> fds{pollfd{wake_.get(), POLLIN, 0}, pollfd{-1, 0, 0}};
  if (device_.Open()) {
    fds[1].fd = device_.Master();
    fds[1].events = static_cast<short>(POLLIN | (masterWritable_ ? 0 : POLLOUT));
  }
  timespec timeout{};
  if (deadline) {
    // ppoll wants a relative timeout; computing it from the absolute deadline just before
    // the call keeps late wake-ups from adding up.
    // The thread wakes tens of microseconds late; the last stretch before a byte is due is
    // spent looking instead, so the emulated line keeps its byte times.
    const auto remaining = *deadline - steady_clock::now() - kWatchedTail;
    timeout = ToTimespec(std::max(remaining, steady_clock::duration::zero()));
  }
  if (::ppoll(fds.data(), fds.size(), deadline ? &timeout : nullptr, nullptr) <= 0) return;
  if ((fds[0].revents & POLLIN) != 0) {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t ignored = ::read(wake_.get(), &count, sizeof count);
  }
  if ((fds[1].revents & POLLOUT) != 0) masterWritable_ = true;
}

void PtyServer::ReadFromHost(TimePoint now) {
  if (!device_.Open()) return;
  std::array<std::uint8_t, 4096> buffer{};
  for (;;) {
    const ssize_t n = ::read(device_.Master(), buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    CheckLineSettings();
    for (ssize_t i = 0; i < n; ++i) arriving_.push_back({fromHost_.Arrival(now), buffer[i]});
  }
}

void PtyServer::CheckLineSettings() {
  termios settings{};
  if (::tcgetattr(device_.Master(), &settings) != 0) return;
  const std::string problem = DescribeWrongLineSettings(settings);
  if (problem.empty()) return;
  {
    std::lock_guard lock(warningsMutex_);
    if (!reportedSettings_.insert(problem).second) return;
    settingsWarnings_.push_back(problem);
  }
  trace_.Line("warning: line settings: " + problem);
  std::cerr << "tarnwick-sim: warning: line settings: " << problem << '\n';
}

void PtyServer::ProcessArrivedBytes(TimePoint now) {
  std::lock_guard lock(chipMutex_);
  while (!arriving_.empty() && arriving_.front().at <= now) {
    const TimedByte arrived = arriving_.front();
    arriving_.pop_front();
    feedTime_ = arrived.at;
    if (auto packet = bridge_.Step(arrived.byte)) HandlePacket(*packet, arrived.at);
  }
}

void PtyServer::HandlePacket(const BridgePacket& packet, TimePoint arrived) {
  if (packet.command != BridgeCommand::Unknown) ++packets_;
  if (packet.command == BridgeCommand::Configure) ++configurations_;
  const std::size_t number = packets_;
  trace_.Line(DescribePacket(number, packet));

  if (packet.command == BridgeCommand::Answer) {
    if (options_.noAnswer) {
      trace_.Line("fault: answer withheld");
    } else {
      SendAnswer(packet.answer, arrived);
    }
  }
  if (!unaskedSent_ && !options_.unaskedBytes.empty() && number == options_.unaskedAfterPacket) {
    unaskedSent_ = true;
    trace_.Line("fault: unasked bytes " + HexBytes(options_.unaskedBytes));
    Send(options_.unaskedBytes, arrived);
  }
  if (options_.unplugAfterPackets > 0 && number == options_.unplugAfterPackets &&
      packet.command != BridgeCommand::Unknown) {
    UnplugNow();
  }
}

void PtyServer::SendAnswer(std::span<const std::uint8_t> answer, TimePoint ready) {
  const std::size_t firstPiece = options_.splitAnswerAfter;
  if (firstPiece == 0 || firstPiece >= answer.size()) {
    Send(answer, ready);
    return;
  }
  Send(answer.first(firstPiece), ready);
  const TimePoint firstPieceDone = leaving_.back().at;
  trace_.Line("fault: answer split after " + std::to_string(firstPiece) + " bytes");
  Send(answer.subspan(firstPiece), firstPieceDone + options_.splitDelay);
}

void PtyServer::Send(std::span<const std::uint8_t> bytes, TimePoint ready) {
  for (const std::uint8_t byte : bytes) leaving_.push_back({toHost_.Arrival(ready), byte});
}

void PtyServer::DeliverDueBytes(TimePoint now) {
  if (!device_.Open() || !masterWritable_) return;
  std::array<std::uint8_t, 4096> due{};
  std::size_t count = 0;
  for (const TimedByte& pending : leaving_) {
    if (pending.at > now || count == due.size()) break;
    due[count++] = pending.byte;
  }
  if (count == 0) return;
  const ssize_t n = ::write(device_.Master(), due.data(), count);
  if (n < 0) {
    if (errno == EAGAIN) masterWritable_ = false;
    return;
  }
  leaving_.erase(leaving_.begin(), leaving_.begin() + n);
  if (static_cast<std::size_t>(n) < count) masterWritable_ = false;
}

void PtyServer::UnplugNow() {
  if (!device_.Open()) return;
  device_.Close();
  arriving_.clear();
  leaving_.clear();
  trace_.Line("fault: unplugged");
  unplugged_.notify_all();
}

void PtyServer::SaveIfDue(TimePoint now) {
  if (!saver_) return;
  std::lock_guard lock(chipMutex_);
  const std::uint64_t version = chip_.ArrayVersion();
  if (version != seenVersion_) {
    seenVersion_ = version;
    lastChange_ = now;
    if (!firstUnsavedChange_) firstUnsavedChange_ = now;
  }
  if (!firstUnsavedChange_) return;
  if (now - lastChange_ < kSaveWhenQuietFor && now - *firstUnsavedChange_ < kSaveAtLeastEvery) return;
  const auto image = chip_.Array();
  saver_->Submit(std::vector<std::uint8_t>(image.begin(), image.end()));
  savedVersion_ = version;
  firstUnsavedChange_.reset();
}

void PtyServer::SaveNow() {
  if (!saver_) return;
  std::lock_guard lock(chipMutex_);
  if (chip_.ArrayVersion() == savedVersion_) return;
  const auto image = chip_.Array();
  saver_->Submit(std::vector<std::uint8_t>(image.begin(), image.end()));
  savedVersion_ = chip_.ArrayVersion();
}

}  // namespace tarnwick::sim
