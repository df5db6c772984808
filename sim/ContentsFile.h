#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace tarnwick::sim {

// The contents file is a plain image of the array (byte 0 = address 0), so it can also be
// prepared or inspected with ordinary tools. Status registers are not kept: the chip
// powers up with both at 00h.

struct LoadedContents {
  std::optional<std::vector<std::uint8_t>> image;  // empty: start erased
  std::string problem;                             // why an existing file was not used
};

[[nodiscard]] LoadedContents LoadContents(const std::string& path, std::size_t arraySize);

// Saves images handed to it on a thread of its own, so that writing megabytes never holds
// up the serving thread. Only the newest pending image is written; the destructor writes
// whatever is still pending.
class ContentsSaver {
 public:
  explicit ContentsSaver(std::string path);
  ContentsSaver(const ContentsSaver&) = delete;
  ContentsSaver& operator=(const ContentsSaver&) = delete;
  ~ContentsSaver();

  void Submit(std::vector<std::uint8_t> image);

 private:
  void Run();

  std::string path_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<std::vector<std::uint8_t>> pending_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace tarnwick::sim
