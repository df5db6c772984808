#include "sim/Bridge.h"

#include <algorithm>
#include <string>

namespace tarnwick::sim {
namespace {

bool IsCommand(std::uint8_t byte) {
  switch (static_cast<BridgeCommand>(byte)) {
    case BridgeCommand::Configure: case BridgeCommand::SetLength: case BridgeCommand::Load:
    case BridgeCommand::Answer: case BridgeCommand::Transfer: case BridgeCommand::Select:
    case BridgeCommand::Deselect:
      return true;
    case BridgeCommand::Unknown:
      break;
  }
  return false;
}

// The bridge shifts whole bytes, one to eight of them per transfer (the program uses 1, 2, 3,
// 4 and 8: the second status register is read with a 2-byte window).
bool SupportedBits(std::uint8_t bits) {
  return bits % 8 == 0 && bits >= 8 && bits <= 64;
}

}  // namespace

Bridge::Bridge(W25qChip& chip, Clock clock) : chip_(chip), clock_(std::move(clock)) {}

std::size_t Bridge::PayloadLength(BridgeCommand command, std::size_t transferLength) {
  switch (command) {
    case BridgeCommand::Configure: return kExpectedConfiguration.size();
    case BridgeCommand::SetLength: return 1;
    case BridgeCommand::Load: return transferLength;
    default: return 0;
  }
}

std::vector<std::uint8_t> Bridge::Feed(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> answers;
  for (const std::uint8_t byte : bytes) {
    if (auto packet = Step(byte)) {
      answers.insert(answers.end(), packet->answer.begin(), packet->answer.end());
    }
  }
  return answers;
}

std::optional<BridgePacket> Bridge::Step(std::uint8_t byte) {
  if (pending_.empty()) {
    const auto command = IsCommand(byte) ? static_cast<BridgeCommand>(byte) : BridgeCommand::Unknown;
    pendingNeeds_ = 1 + PayloadLength(command, length_);
  }
  pending_.push_back(byte);
  if (pending_.size() < pendingNeeds_) return std::nullopt;

  BridgePacket packet;
  packet.raw = std::move(pending_);
  pending_.clear();
  packet.command = IsCommand(packet.raw[0]) ? static_cast<BridgeCommand>(packet.raw[0])
                                            : BridgeCommand::Unknown;
  Execute(packet);
  if (hook_) hook_(packet);
  return packet;
}

void Bridge::Execute(BridgePacket& packet) {
  switch (packet.command) {
    case BridgeCommand::Configure:
      Configure(packet);
      break;
    case BridgeCommand::SetLength:
      SetLength(packet);
      break;
    case BridgeCommand::Load:
      loaded_.assign(packet.raw.begin() + 1, packet.raw.end());
      break;
    case BridgeCommand::Transfer:
      Transfer(packet);
      break;
    case BridgeCommand::Select:
      selected_ = true;
      chip_.Select(clock_());
      break;
    case BridgeCommand::Deselect:
      selected_ = false;
      chip_.Deselect(clock_());
      break;
    case BridgeCommand::Answer:
      // Reversed like the payload of D: the first byte off the bus is answered last.
      packet.answer.assign(lastIn_.rbegin(), lastIn_.rend());
      if (packet.answer.empty()) packet.answer.assign(length_, 0x00);
      break;
    case BridgeCommand::Unknown:
      packet.warning = "unknown command byte, ignored";
      break;
  }
}

void Bridge::Configure(BridgePacket& packet) {
  const auto received = std::span(packet.raw).subspan(1);
  if (!std::ranges::equal(received, kExpectedConfiguration)) {
    packet.warning = "configuration bytes differ from 08 02 42 08 40 04 48";
  }
}

void Bridge::SetLength(BridgePacket& packet) {
  const std::uint8_t bits = packet.raw[1];
  if (!SupportedBits(bits)) {
    packet.warning = "unsupported transfer length of " + std::to_string(bits) +
                     " bits; keeping " + std::to_string(length_ * 8);
    return;
  }
  length_ = bits / 8u;
  loaded_.clear();
}

void Bridge::Transfer(BridgePacket& packet) {
  if (!selected_) packet.warning = "transfer while the chip is not selected";
  packet.busOut.assign(length_, 0x00);
  if (!loaded_.empty()) std::copy(loaded_.rbegin(), loaded_.rend(), packet.busOut.begin());
  const auto now = clock_();
  packet.busIn.reserve(length_);
  for (const std::uint8_t out : packet.busOut) packet.busIn.push_back(chip_.Transfer(out, now));
  lastIn_ = packet.busIn;
}

}  // namespace tarnwick::sim
