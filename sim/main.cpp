// tarnwick-sim: serves a simulated bridge and flash chip on a pseudo-terminal.

#include <csignal>
#include <fstream>
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

#include "sim/PtyServer.h"
#include "sim/ToolOptions.h"

namespace {

constexpr int kExitSetupFailed = 1;
constexpr int kExitUsage = 2;

// Blocked before any thread starts, so the serving threads inherit the mask and the signal
// is only ever taken by sigwait below.
sigset_t BlockStopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  return signals;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tarnwick::sim;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  ToolOptions options;
  try {
    options = ParseToolOptions(args);
  } catch (const UsageError& error) {
    std::cerr << "tarnwick-sim: " << error.what() << '\n';
    return kExitUsage;
  }
  if (options.help) {
    std::cout << UsageText();
    return 0;
  }

  std::ofstream traceFile;
  if (options.traceFile == "-") {
    options.sim.trace = &std::cout;
  } else if (!options.traceFile.empty()) {
    traceFile.open(options.traceFile, std::ios::app);
    if (!traceFile) {
      std::cerr << "tarnwick-sim: cannot open trace file " << options.traceFile << '\n';
      return kExitUsage;
    }
    options.sim.trace = &traceFile;
  }

  const sigset_t stopSignals = BlockStopSignals();
  std::unique_ptr<PtyServer> server;
  try {
    server = std::make_unique<PtyServer>(options.sim);
  } catch (const std::exception& error) {
    std::cerr << "tarnwick-sim: " << error.what() << '\n';
    return kExitSetupFailed;
  }
  std::cout << server->DevicePath() << std::endl;
  server->Start();

  int signal = 0;
  sigwait(&stopSignals, &signal);
  server.reset();  // stops serving, saves the contents and removes the link
  return 0;
}
