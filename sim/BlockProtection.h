#pragma once

#include <cstdint>

namespace tarnwick::sim {

// The part of the array that the block-protect bits (BP0-2, TB, SEC in SR1 and CMP in SR2)
// shield from program and erase. The granularity is never finer than a 4 KiB sector, so
// checking the first address of a page or sector decides for all of it.
class BlockProtection {
 public:
  BlockProtection(std::uint32_t arraySize, std::uint8_t status1, std::uint8_t status2);

  [[nodiscard]] bool Covers(std::uint32_t address) const;

 private:
  std::uint32_t begin_ = 0;  // range chosen by BP/TB/SEC, [begin_, end_)
  std::uint32_t end_ = 0;
  bool complement_ = false;  // CMP: protect everything except that range
};

}  // namespace tarnwick::sim
