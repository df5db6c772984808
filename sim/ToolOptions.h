#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "sim/SimOptions.h"

namespace tarnwick::sim {

// The command line of tarnwick-sim, parsed. The trace stream itself is opened by main.
struct ToolOptions {
  SimOptions sim;
  std::string traceFile;  // empty: no trace; "-": standard output
  bool help = false;
};

// A command line the tool cannot run with; the message says what to fix.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `args` excludes the program name. Throws UsageError.
[[nodiscard]] ToolOptions ParseToolOptions(std::span<const std::string_view> args);

[[nodiscard]] std::string UsageText();

}  // namespace tarnwick::sim
