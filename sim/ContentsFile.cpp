#include "sim/ContentsFile.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "platform/FileReplacer.h"

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
      // Written beside and renamed over: a simulator killed mid-save keeps the last good image.
      ReplaceFileContents(path_, image);
    } catch (const std::exception& error) {
      std::cerr << "tarnwick-sim: " << error.what() << '\n';
    }
    lock.lock();
  }
}

}  // namespace tarnwick::sim
