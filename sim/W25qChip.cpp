#include "sim/W25qChip.h"

#include <algorithm>
#include <stdexcept>

#include "sim/BlockProtection.h"
#include "sim/StatusBits.h"

namespace tarnwick::sim {
namespace {

constexpr std::uint8_t kManufacturerWinbond = 0xEF;
constexpr std::uint8_t kMemoryTypeSpi = 0x40;
constexpr std::size_t kAddressBytes = 3;
constexpr std::size_t kFirstDataIndex = 1 + kAddressBytes;

struct BusyTimes {
  std::chrono::microseconds pageProgram;
  std::chrono::microseconds sectorErase;
  std::chrono::microseconds writeStatus;
};

// Typical and maximum times from the W25Q64 datasheet (tPP, tSE, tW).
constexpr BusyTimes kTypicalTimes{std::chrono::microseconds{700}, std::chrono::milliseconds{45},
                                  std::chrono::milliseconds{10}};
constexpr BusyTimes kMaximumTimes{std::chrono::milliseconds{3}, std::chrono::milliseconds{400},
                                  std::chrono::milliseconds{15}};
constexpr BusyTimes kZeroTimes{};

const BusyTimes& TimesFor(BusyTiming timing) {
  switch (timing) {
    case BusyTiming::Typical: return kTypicalTimes;
    case BusyTiming::Maximum: return kMaximumTimes;
    case BusyTiming::Zero: break;
  }
  return kZeroTimes;
}

// The last JEDEC ID byte encodes the capacity as log2 of the size in bytes.
std::uint8_t CapacityCode(int sizeMbit) {
  switch (sizeMbit) {
    case 8: return 0x14;
    case 16: return 0x15;
    case 32: return 0x16;
    case 64: return 0x17;
    default: throw std::invalid_argument("chip size must be 8, 16, 32 or 64 Mbit");
  }
}

bool NeedsWriteEnable(std::uint8_t code) {
  return code == 0x01 || code == 0x02 || code == 0x20;
}

bool Known(std::uint8_t code) {
  switch (code) {
    case 0x01: case 0x02: case 0x03: case 0x04: case 0x05: case 0x06: case 0x20: case 0x35:
    case 0x9F:
      return true;
    default:
      return false;
  }
}

}  // namespace

W25qChip::W25qChip(int sizeMbit, BusyTiming timing, bool writeProtectHigh)
    : jedecId_{kManufacturerWinbond, kMemoryTypeSpi, CapacityCode(sizeMbit)},
      timing_(timing),
      writeProtectHigh_(writeProtectHigh) {
  array_.assign(static_cast<std::size_t>(sizeMbit) * 1024 * 1024 / 8, 0xFF);
}

void W25qChip::Select(Micros) {
  if (selected_) return;
  selected_ = true;
  instruction_.reset();
  clocked_ = 0;
  address_ = 0;
  pageBufferUsed_.fill(false);
}

std::uint8_t W25qChip::Transfer(std::uint8_t in, Micros now) {
  if (!selected_) return kUndriven;
  const std::size_t index = clocked_++;
  if (index == 0) {
    Begin(in, now);
    return kUndriven;
  }
  if (!instruction_) return kUndriven;
  return Continue(in, index, now);
}

void W25qChip::Begin(std::uint8_t code, Micros now) {
  const bool readsStatus = code == 0x05 || code == 0x35;
  if (!Known(code)) return;
  if (Busy(now) && !readsStatus) return;
  if (NeedsWriteEnable(code) && !WriteEnabled(now)) return;
  instruction_ = static_cast<Instruction>(code);
}

std::uint8_t W25qChip::Continue(std::uint8_t in, std::size_t index, Micros now) {
  const bool addressByte = index < kFirstDataIndex;
  if (addressByte) {
    address_ = (address_ << 8) | in;
    // A smaller part has fewer address lines: the upper bits fall away.
    if (index == kAddressBytes) address_ %= Size();
  }

  switch (*instruction_) {
    case Instruction::ReadStatus1:
      return Status1(now);
    case Instruction::ReadStatus2:
      return status2_;
    case Instruction::JedecId:
      return index <= jedecId_.size() ? jedecId_[index - 1] : kUndriven;
    case Instruction::ReadData:
      if (addressByte) return kUndriven;
      return array_[(address_ + (index - kFirstDataIndex)) % Size()];
    case Instruction::PageProgram:
      if (!addressByte) {
        // Past 256 bytes the page address wraps and later bytes replace earlier ones.
        const std::size_t slot = (address_ + (index - kFirstDataIndex)) % kPageSize;
        pageBuffer_[slot] = in;
        pageBufferUsed_[slot] = true;
      }
      return kUndriven;
    case Instruction::WriteStatus:
      if (index <= statusBytes_.size()) statusBytes_[index - 1] = in;
      return kUndriven;
    case Instruction::SectorErase:
    case Instruction::WriteEnable:
    case Instruction::WriteDisable:
      return kUndriven;
  }
  return kUndriven;
}

void W25qChip::Deselect(Micros now) {
  if (!selected_) return;
  selected_ = false;
  if (instruction_) Execute(now);
  instruction_.reset();
}

void W25qChip::Execute(Micros now) {
  switch (*instruction_) {
    case Instruction::WriteEnable:
      writeEnable_ = true;
      writeEnableClearsAt_.reset();
      break;
    case Instruction::WriteDisable:
      writeEnable_ = false;
      break;
    case Instruction::PageProgram:
      if (clocked_ > kFirstDataIndex) ProgramPage(now);
      break;
    case Instruction::SectorErase:
      if (clocked_ >= kFirstDataIndex) EraseSector(now);
      break;
    case Instruction::WriteStatus:
      if (clocked_ >= 2) WriteStatus(now);
      break;
    case Instruction::ReadData:
    case Instruction::ReadStatus1:
    case Instruction::ReadStatus2:
    case Instruction::JedecId:
      break;
  }
}

void W25qChip::ProgramPage(Micros now) {
  const std::uint32_t pageStart = address_ - address_ % kPageSize;
  if (Protected(pageStart)) {
    writeEnable_ = false;
    return;
  }
  for (std::uint32_t slot = 0; slot < kPageSize; ++slot) {
    if (pageBufferUsed_[slot]) array_[pageStart + slot] &= pageBuffer_[slot];
  }
  MarkChanged();
  FinishWrite(now, TimesFor(timing_).pageProgram);
}

void W25qChip::EraseSector(Micros now) {
  const std::uint32_t sectorStart = address_ - address_ % kSectorSize;
  if (Protected(sectorStart)) {
    writeEnable_ = false;
    return;
  }
  std::fill_n(array_.begin() + sectorStart, kSectorSize, std::uint8_t{0xFF});
  MarkChanged();
  FinishWrite(now, TimesFor(timing_).sectorErase);
}

void W25qChip::WriteStatus(Micros now) {
  const bool srp0 = (status1_ & status1::kProtect0) != 0;
  const bool srp1 = (status2_ & status2::kProtect1) != 0;
  // SRP1 set locks the registers outright; SRP0 alone defers to the /WP pin.
  const bool locked = srp1 || (srp0 && !writeProtectHigh_);
  if (locked) {
    writeEnable_ = false;
    return;
  }
  status1_ = statusBytes_[0] & status1::kWritable;
  if (clocked_ > 2) {
    const std::uint8_t keptLocks = status2_ & status2::kLockBits;
    status2_ = static_cast<std::uint8_t>((status2_ & ~status2::kWritable) |
                                         (statusBytes_[1] & status2::kWritable) | keptLocks);
  }
  FinishWrite(now, TimesFor(timing_).writeStatus);
}

bool W25qChip::Protected(std::uint32_t address) const {
  return BlockProtection(Size(), status1_, status2_).Covers(address);
}

bool W25qChip::WriteEnabled(Micros now) const {
  return writeEnable_ && (!writeEnableClearsAt_ || now < *writeEnableClearsAt_);
}

void W25qChip::FinishWrite(Micros now, Micros duration) {
  busyUntil_ = now + duration;
  writeEnableClearsAt_ = busyUntil_;
}

std::uint8_t W25qChip::Status1(Micros now) const {
  std::uint8_t value = status1_;
  if (WriteEnabled(now)) value |= status1::kWriteEnableLatch;
  if (Busy(now)) value |= status1::kBusy;
  return value;
}

void W25qChip::SetStatus(std::uint8_t status1, std::uint8_t status2) {
  status1_ = status1 & status1::kWritable;
  status2_ = status2;
  writeEnable_ = (status1 & status1::kWriteEnableLatch) != 0;
  writeEnableClearsAt_.reset();
}

std::vector<std::uint8_t> W25qChip::ReadArray(std::uint32_t address, std::size_t count) const {
  std::vector<std::uint8_t> bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = array_[(address + i) % Size()];
  return bytes;
}

void W25qChip::WriteArray(std::uint32_t address, std::span<const std::uint8_t> bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) array_[(address + i) % Size()] = bytes[i];
  MarkChanged();
}

}  // namespace tarnwick::sim
