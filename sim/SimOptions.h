#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tarnwick::sim {

// How long BUSY stays set after an erase, program or status write.
enum class BusyTiming { Zero, Typical, Maximum };

struct SimOptions {
  int sizeMbit = 64;                  // 8, 16, 32 or 64
  BusyTiming timing = BusyTiming::Zero;
  bool lineRate = false;              // emulate 115200 8N2 byte times both ways
  bool writeProtectHigh = true;       // level of the /WP pin
  std::string contentsFile;           // empty: no persistence
  std::string linkPath;               // empty: no symlink
  // faults
  bool noAnswer = false;
  std::size_t splitAnswerAfter = 0;   // >0: send that many answer bytes, then the rest after splitDelay
  std::chrono::microseconds splitDelay{0};
  std::vector<std::uint8_t> unaskedBytes;  // sent to the host right after packet number unaskedAfterPacket
  std::size_t unaskedAfterPacket = 0;
  std::size_t unplugAfterPackets = 0; // >0: close the master after that many packets
  std::ostream* trace = nullptr;      // packet trace; nullptr: none
};

}  // namespace tarnwick::sim
