#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "sim/W25qChip.h"

namespace tarnwick::sim::testing {

// Drives a chip the way a host does over SPI: one chip-select window per instruction, at a
// time the test moves forward by hand.
struct ChipSession {
  W25qChip& chip;
  W25qChip::Micros now{0};

  std::vector<std::uint8_t> Run(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> out;
    chip.Select(now);
    for (const std::uint8_t byte : bytes) out.push_back(chip.Transfer(byte, now));
    chip.Deselect(now);
    return out;
  }
  void WriteEnable() { Run({0x06}); }
  std::vector<std::uint8_t> Read(std::uint32_t address, std::size_t count) {
    std::vector<std::uint8_t> command{0x03, Byte(address, 16), Byte(address, 8), Byte(address, 0)};
    command.resize(command.size() + count, 0x00);
    auto out = Run(command);
    return {out.begin() + 4, out.end()};
  }
  void Program(std::uint32_t address, const std::vector<std::uint8_t>& data) {
    WriteEnable();
    std::vector<std::uint8_t> command{0x02, Byte(address, 16), Byte(address, 8), Byte(address, 0)};
    command.insert(command.end(), data.begin(), data.end());
    Run(command);
  }
  void Erase(std::uint32_t address) {
    WriteEnable();
    Run({0x20, Byte(address, 16), Byte(address, 8), Byte(address, 0)});
  }
  void WriteStatus(const std::vector<std::uint8_t>& registers) {
    WriteEnable();
    std::vector<std::uint8_t> command{0x01};
    command.insert(command.end(), registers.begin(), registers.end());
    Run(command);
  }
  std::uint8_t Status1() { return Run({0x05, 0x00})[1]; }
  std::uint8_t Status2() { return Run({0x35, 0x00})[1]; }

  static std::uint8_t Byte(std::uint32_t value, int shift) {
    return static_cast<std::uint8_t>(value >> shift);
  }
};

}  // namespace tarnwick::sim::testing
