#include "sim/ContentsFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <system_error>

#include "sim/UniqueFd.h"

namespace tarnwick::sim {

LoadedContents LoadContents(const std::string& path, std::size_t arraySize) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return {};  // no file yet: a fresh chip
  if (size != arraySize) {
    return {std::nullopt, path + " has " + std::to_string(size) + " bytes, the chip " +
                              std::to_string(arraySize) + "; starting erased"};
  }
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> image(arraySize);
  if (!file.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()))) {
    return {std::nullopt, "cannot read " + path + "; starting erased"};
  }
  return {std::move(image), {}};
}

void SaveContents(const std::string& path, std::span<const std::uint8_t> image) {
  const std::string temporary = path + ".tmp." + std::to_string(::getpid());
  UniqueFd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (!fd.Valid()) {
    throw std::runtime_error("cannot create " + temporary + ": " + std::strerror(errno));
  }
  std::size_t written = 0;
  while (written < image.size()) {
    const ssize_t n = ::write(fd.Get(), image.data() + written, image.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const std::string reason = std::strerror(errno);
      ::unlink(temporary.c_str());
      throw std::runtime_error("cannot write " + temporary + ": " + reason);
    }
    written += static_cast<std::size_t>(n);
  }
  fd.Reset();
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    ::unlink(temporary.c_str());
    throw std::runtime_error("cannot rename " + temporary + " to " + path + ": " + reason);
  }
}

ContentsSaver::ContentsSaver(std::string path) : path_(std::move(path)), thread_([this] { Run(); }) {}

ContentsSaver::~ContentsSaver() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void ContentsSaver::Submit(std::vector<std::uint8_t> image) {
  {
    std::lock_guard lock(mutex_);
    pending_ = std::move(image);
  }
  wake_.notify_one();
}

void ContentsSaver::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return pending_.has_value() || stopping_; });
    if (!pending_) return;  // stopping with nothing left to write
    auto image = std::move(*pending_);
    pending_.reset();
    lock.unlock();
    try {
      SaveContents(path_, image);
    } catch (const std::exception& error) {
      std::cerr << "tarnwick-sim: " << error.what() << '\n';
    }
    lock.lock();
  }
}

}  // namespace tarnwick::sim
