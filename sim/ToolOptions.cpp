#include "sim/ToolOptions.h"

#include <charconv>
#include <optional>

namespace tarnwick::sim {
namespace {

template <typename Number>
Number ParseNumber(std::string_view text, std::string_view option) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) {
    throw UsageError(std::string(option) + ": '" + std::string(text) + "' is not a number");
  }
  return value;
}

std::pair<std::string_view, std::string_view> SplitAtColon(std::string_view text,
                                                           std::string_view option) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos) {
    throw UsageError(std::string(option) + ": expected two values separated by ':'");
  }
  return {text.substr(0, colon), text.substr(colon + 1)};
}

std::vector<std::uint8_t> ParseHex(std::string_view text, std::string_view option) {
  if (text.empty() || text.size() % 2 != 0) {
    throw UsageError(std::string(option) + ": give the bytes as an even number of hex digits");
  }
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    std::uint8_t byte = 0;
    const auto pair = text.substr(i, 2);
    const auto [end, error] = std::from_chars(pair.data(), pair.data() + 2, byte, 16);
    if (error != std::errc{} || end != pair.data() + 2) {
      throw UsageError(std::string(option) + ": '" + std::string(pair) + "' is not a hex byte");
    }
    bytes.push_back(byte);
  }
  return bytes;
}

void Apply(ToolOptions& options, std::string_view name, std::string_view value) {
  SimOptions& sim = options.sim;
  if (name == "--size") {
    sim.sizeMbit = ParseNumber<int>(value, name);
    if (sim.sizeMbit != 8 && sim.sizeMbit != 16 && sim.sizeMbit != 32 && sim.sizeMbit != 64) {
      throw UsageError("--size: must be 8, 16, 32 or 64");
    }
  } else if (name == "--timing") {
    if (value == "zero") sim.timing = BusyTiming::Zero;
    else if (value == "typical") sim.timing = BusyTiming::Typical;
    else if (value == "max") sim.timing = BusyTiming::Maximum;
    else throw UsageError("--timing: must be zero, typical or max");
  } else if (name == "--wp") {
    if (value == "high") sim.writeProtectHigh = true;
    else if (value == "low") sim.writeProtectHigh = false;
    else throw UsageError("--wp: must be low or high");
  } else if (name == "--contents") {
    sim.contentsFile = value;
  } else if (name == "--link") {
    sim.linkPath = value;
  } else if (name == "--trace") {
    options.traceFile = value;
  } else if (name == "--split") {
    const auto [bytes, micros] = SplitAtColon(value, name);
    sim.splitAnswerAfter = ParseNumber<std::size_t>(bytes, name);
    sim.splitDelay = std::chrono::microseconds{ParseNumber<long>(micros, name)};
    if (sim.splitAnswerAfter == 0) throw UsageError("--split: N must be at least 1");
  } else if (name == "--unasked") {
    const auto [hex, after] = SplitAtColon(value, name);
    sim.unaskedBytes = ParseHex(hex, name);
    sim.unaskedAfterPacket = ParseNumber<std::size_t>(after, name);
  } else if (name == "--unplug-after") {
    sim.unplugAfterPackets = ParseNumber<std::size_t>(value, name);
    if (sim.unplugAfterPackets == 0) throw UsageError("--unplug-after: N must be at least 1");
  } else {
    throw UsageError("unknown option " + std::string(name) + " (see --help)");
  }
}

bool IsFlag(std::string_view name, ToolOptions& options) {
  if (name == "--help" || name == "-h") {
    options.help = true;
  } else if (name == "--line-rate") {
    options.sim.lineRate = true;
  } else if (name == "--no-answer") {
    options.sim.noAnswer = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace

ToolOptions ParseToolOptions(std::span<const std::string_view> args) {
  ToolOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view name = args[i];
    std::optional<std::string_view> value;
    if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string_view::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    if (!value && IsFlag(name, options)) continue;
    if (!value) {
      if (!name.starts_with("-")) throw UsageError("unexpected argument '" + std::string(name) + "'");
      if (i + 1 >= args.size()) throw UsageError(std::string(name) + " needs a value (see --help)");
      value = args[++i];
    }
    Apply(options, name, *value);
  }
  return options;
}

std::string UsageText() {
  return R"(Usage: tarnwick-sim [OPTIONS]

Simulates the serial-to-SPI bridge with a W25Q flash chip behind it on a pseudo-terminal,
so that Tarnwick can be tried and tested without hardware. The first line printed is the
device to open (e.g. /dev/pts/5); the simulator then serves until Ctrl-C or SIGTERM.

Chip:
  --size 8|16|32|64       capacity in Mbit (W25Q08/16/32/64; default 64)
  --timing zero|typical|max
                          how long BUSY stays set after program, erase and status write
                          (default zero; typical/max follow the W25Q64 datasheet)
  --wp low|high           level of the /WP pin, which gates status writes when SRP0 is
                          set (default high)
  --contents FILE         keep the array in FILE between runs: loaded at start if it has
                          the chip's size, saved shortly after every change and at exit.
                          The file is a plain image of the array; status registers are
                          not kept (they power up as 00h)

Link:
  --line-rate             deliver bytes no faster than 115200 baud 8N2 would (95.5 us
                          per byte) in both directions; otherwise answers come at once
  --link PATH             also make PATH a symlink to the device (removed at exit)
  --trace FILE|-          write every packet, its bus traffic and answers to FILE,
                          or to standard output with '-'

Faults:
  --no-answer             ignore every E: the host waits for an answer in vain
  --split N:MICROS        send the first N bytes of each answer, the rest MICROS later
  --unasked HEX:AFTER_N   send the bytes HEX (e.g. 55AA) unasked right after packet
                          number AFTER_N (0: as soon as serving starts)
  --unplug-after N        close the device after N packets, as if the cable were pulled

  -h, --help              show this text

Example:
  tarnwick-sim --size 32 --contents chip.bin --link /tmp/tarnwick-port --trace -
then open /tmp/tarnwick-port (or the printed /dev/pts path) in Tarnwick as the port.
Exit status: 0 after a clean stop, 1 if the device cannot be set up, 2 for bad options.
)";
}

}  // namespace tarnwick::sim
