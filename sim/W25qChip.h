#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sim/SimOptions.h"

namespace tarnwick::sim {

// A W25Q08/16/32/64 serial NOR flash as seen on its SPI pins. The caller drives chip select
// and clocks bytes through Transfer(); every call carries the current time so BUSY can be
// modelled without a clock of the chip's own (tests advance time by hand).
class W25qChip {
 public:
  using Micros = std::chrono::microseconds;

  static constexpr std::uint32_t kPageSize = 256;
  static constexpr std::uint32_t kSectorSize = 4096;
  // What DO reads while the chip does not drive it (pulled up).
  static constexpr std::uint8_t kUndriven = 0xFF;

  // Throws std::invalid_argument for a size other than 8, 16, 32 or 64 Mbit.
  W25qChip(int sizeMbit, BusyTiming timing, bool writeProtectHigh);

  void Select(Micros now);
  // Clocks one byte in on DI and returns the byte the chip drove on DO meanwhile.
  [[nodiscard]] std::uint8_t Transfer(std::uint8_t in, Micros now);
  // Chip select rises: erase, program and status writes are carried out here.
  void Deselect(Micros now);

  [[nodiscard]] std::uint32_t Size() const { return static_cast<std::uint32_t>(array_.size()); }
  [[nodiscard]] std::span<const std::uint8_t> Array() const { return array_; }
  // Snapshot and direct edit of the array, wrapping at its end like a read does.
  [[nodiscard]] std::vector<std::uint8_t> ReadArray(std::uint32_t address, std::size_t count) const;
  void WriteArray(std::uint32_t address, std::span<const std::uint8_t> bytes);
  // Increments whenever the array changes, so a saver can tell whether it is behind.
  [[nodiscard]] std::uint64_t ArrayVersion() const { return arrayVersion_; }

  [[nodiscard]] std::uint8_t Status1(Micros now) const;
  [[nodiscard]] std::uint8_t Status2() const { return status2_; }
  // Sets both registers as given (WEL included); BUSY is derived from time and not settable.
  void SetStatus(std::uint8_t status1, std::uint8_t status2);
  [[nodiscard]] bool Busy(Micros now) const { return now < busyUntil_; }

 private:
  enum class Instruction : std::uint8_t {
    WriteStatus = 0x01,
    PageProgram = 0x02,
    ReadData = 0x03,
    WriteDisable = 0x04,
    ReadStatus1 = 0x05,
    WriteEnable = 0x06,
    SectorErase = 0x20,
    ReadStatus2 = 0x35,
    JedecId = 0x9F,
  };

  void Begin(std::uint8_t code, Micros now);
  [[nodiscard]] std::uint8_t Continue(std::uint8_t in, std::size_t index, Micros now);
  void Execute(Micros now);
  void ProgramPage(Micros now);
  void EraseSector(Micros now);
  void WriteStatus(Micros now);
  [[nodiscard]] bool Protected(std::uint32_t address) const;
  [[nodiscard]] bool WriteEnabled(Micros now) const;
  void FinishWrite(Micros now, Micros duration);
  void MarkChanged() { ++arrayVersion_; }

  std::vector<std::uint8_t> array_;
  std::array<std::uint8_t, 3> jedecId_{};
  BusyTiming timing_;
  bool writeProtectHigh_;

  std::uint8_t status1_ = 0;  // without BUSY and WEL, which are kept below
  std::uint8_t status2_ = 0;
  bool writeEnable_ = false;
  std::optional<Micros> writeEnableClearsAt_;  // WEL stays visible until the operation ends
  Micros busyUntil_{0};
  std::uint64_t arrayVersion_ = 0;

  // The instruction of the current chip-select window.
  bool selected_ = false;
  std::optional<Instruction> instruction_;  // empty: ignored until chip select rises
  std::size_t clocked_ = 0;                 // bytes clocked in this window
  std::uint32_t address_ = 0;
  std::array<std::uint8_t, kPageSize> pageBuffer_{};
  std::array<bool, kPageSize> pageBufferUsed_{};
  std::array<std::uint8_t, 2> statusBytes_{};
};

}  // namespace tarnwick::sim
