#include "sim/PacketTrace.h"

#include <cstdio>

namespace tarnwick::sim {
namespace {

std::string_view CommandName(BridgeCommand command) {
  switch (command) {
    case BridgeCommand::Configure: return "configure";
    case BridgeCommand::SetLength: return "B length";
    case BridgeCommand::Load: return "D load";
    case BridgeCommand::Answer: return "E answer";
    case BridgeCommand::Transfer: return "F transfer";
    case BridgeCommand::Select: return "G select";
    case BridgeCommand::Deselect: return "H deselect";
    case BridgeCommand::Unknown: break;
  }
  return "unknown";
}

}  // namespace

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  std::string text;
  text.reserve(bytes.size() * 3);
  for (const std::uint8_t byte : bytes) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02X", byte);
    if (!text.empty()) text += ' ';
    text += digits;
  }
  return text;
}

std::string DescribePacket(std::size_t number, const BridgePacket& packet) {
  std::string text = "#" + std::to_string(number) + " " + std::string(CommandName(packet.command)) +
                     ": " + HexBytes(packet.raw);
  if (packet.command == BridgeCommand::Transfer) {
    text += " | to chip " + HexBytes(packet.busOut) + " | from chip " + HexBytes(packet.busIn);
  }
  if (packet.command == BridgeCommand::Answer) text += " | answer " + HexBytes(packet.answer);
  if (!packet.warning.empty()) text += " | warning: " + packet.warning;
  return text;
}

void PacketTrace::Line(std::string_view text) {
  if (out_ == nullptr) return;
  const auto elapsed = std::chrono::steady_clock::now() - start_;
  const double milliseconds = std::chrono::duration<double, std::milli>(elapsed).count();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "[%10.3f ms] ", milliseconds);
  *out_ << stamp << text << '\n';
  out_->flush();  // a trace is mostly read live or after a kill
}

}  // namespace tarnwick::sim
