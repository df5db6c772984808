#include "sim/BlockProtection.h"

#include <algorithm>

#include "sim/StatusBits.h"

namespace tarnwick::sim {
namespace {

constexpr std::uint32_t kKiB = 1024;
constexpr std::uint32_t kMiB = 1024 * kKiB;

// Length of the range for SEC=0: the 64 Mbit part starts at 128 KiB (1/64), the 8-32 Mbit
// parts at one 64 KiB block; each BP step doubles it, capped at the whole array.
std::uint32_t BlockRangeLength(std::uint32_t arraySize, unsigned bp) {
  if (bp == 0b111) return arraySize;
  const std::uint32_t first = arraySize >= 8 * kMiB ? 128 * kKiB : 64 * kKiB;
  return std::min(arraySize, first << (bp - 1));
}

// Length for SEC=1: 4, 8, 16 KiB, then 32 KiB for every BP value with BP2 set.
std::uint32_t SectorRangeLength(unsigned bp) {
  if (bp >= 0b100) return 32 * kKiB;
  return (4 * kKiB) << (bp - 1);
}

}  // namespace

BlockProtection::BlockProtection(std::uint32_t arraySize, std::uint8_t status1, std::uint8_t status2) {
  const unsigned bp = (status1 & status1::kBlockProtectMask) >> status1::kBlockProtectShift;
  const bool bottom = (status1 & status1::kTopBottom) != 0;
  const bool sectors = (status1 & status1::kSectorProtect) != 0;
  complement_ = (status2 & status2::kComplement) != 0;
  if (bp == 0) return;  // empty range

  const std::uint32_t length =
      (sectors && bp != 0b111) ? SectorRangeLength(bp) : BlockRangeLength(arraySize, bp);
  if (bottom) {
    begin_ = 0;
    end_ = length;
  } else {
    begin_ = arraySize - length;
    end_ = arraySize;
  }
}

bool BlockProtection::Covers(std::uint32_t address) const {
  const bool inRange = address >= begin_ && address < end_;
  return inRange != complement_;
}

}  // namespace tarnwick::sim
