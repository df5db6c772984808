#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/W25qChip.h"

namespace tarnwick::sim {

// First bytes of the bridge's commands; anything else is not a command.
enum class BridgeCommand : std::uint8_t {
  Unknown = 0x00,
  Configure = 0x0A,
  SetLength = 0x42,  // 'B'
  Load = 0x44,       // 'D'
  Answer = 0x45,     // 'E'
  Transfer = 0x46,   // 'F'
  Select = 0x47,     // 'G'
  Deselect = 0x48,   // 'H'
};

// One command as the bridge understood it, for tracing and fault injection.
struct BridgePacket {
  BridgeCommand command = BridgeCommand::Unknown;
  std::vector<std::uint8_t> raw;     // as received, command byte first
  std::vector<std::uint8_t> busOut;  // Transfer: bytes to the chip, in bus order
  std::vector<std::uint8_t> busIn;   // Transfer: bytes from the chip, in bus order
  std::vector<std::uint8_t> answer;  // Answer: bytes for the host
  std::string warning;               // set when the packet was not what a host should send
};

// The serial-to-SPI bridge: a byte-stream parser (commands may arrive split at any byte)
// driving chip select and transfers on the chip.
class Bridge {
 public:
  using Clock = std::function<std::chrono::microseconds()>;
  using PacketHook = std::function<void(const BridgePacket&)>;

  static constexpr std::array<std::uint8_t, 7> kExpectedConfiguration{0x08, 0x02, 0x42, 0x08,
                                                                      0x40, 0x04, 0x48};

  Bridge(W25qChip& chip, Clock clock);

  // Called for every completed packet, by Feed and Step alike.
  void SetPacketHook(PacketHook hook) { hook_ = std::move(hook); }

  // Takes bytes from the host and returns the answer bytes they caused, in order.
  [[nodiscard]] std::vector<std::uint8_t> Feed(std::span<const std::uint8_t> bytes);
  // Takes one byte; returns the packet it completed, if it completed one.
  [[nodiscard]] std::optional<BridgePacket> Step(std::uint8_t byte);

  [[nodiscard]] std::size_t TransferLength() const { return length_; }

 private:
  [[nodiscard]] static std::size_t PayloadLength(BridgeCommand command, std::size_t transferLength);
  void Execute(BridgePacket& packet);
  void Configure(BridgePacket& packet);
  void SetLength(BridgePacket& packet);
  void Transfer(BridgePacket& packet);

  W25qChip& chip_;
  Clock clock_;
  PacketHook hook_;

  std::vector<std::uint8_t> pending_;  // bytes of the packet being received
  std::size_t pendingNeeds_ = 0;       // total length of that packet

  std::size_t length_ = 1;                 // bytes per transfer, set by 'B'
  std::vector<std::uint8_t> loaded_;       // D payload p1..pn; empty: none since the last B
  std::vector<std::uint8_t> lastIn_;       // bytes from the chip in the last F, bus order
  bool selected_ = false;
};

}  // namespace tarnwick::sim
