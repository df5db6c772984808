#pragma once

#include <string>

#include "platform/UniqueFd.h"

namespace tarnwick::sim {

// A pseudo-terminal pair standing in for the serial port, plus an optional symlink to it.
// One slave descriptor stays open here so that the master does not see a hang-up each time
// the host closes the port, and so that the host's line settings survive between openings.
class PtyDevice {
 public:
  // Throws std::runtime_error when the pty or the link cannot be made.
  explicit PtyDevice(const std::string& linkPath);
  PtyDevice(const PtyDevice&) = delete;
  PtyDevice& operator=(const PtyDevice&) = delete;
  ~PtyDevice();

  [[nodiscard]] const std::string& SlavePath() const { return slavePath_; }
  [[nodiscard]] int Master() const { return master_.get(); }
  [[nodiscard]] bool Open() const { return static_cast<bool>(master_); }
  // Closes both ends held here: the host's descriptor now reads as hung up.
  void Close();

 private:
  void MakeLink();
  void RemoveLink();

  UniqueFd master_;
  UniqueFd heldSlave_;
  std::string slavePath_;
  std::string linkPath_;
};

}  // namespace tarnwick::sim
