#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/UniqueFd.h"

extern char** environ;

namespace tarnwick::sim {
namespace {

// The built tool, started with its standard output on a pipe.
class RunningTool {
 public:
  explicit RunningTool(std::vector<std::string> args) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return;
    UniqueFd writeEnd(pipeFds[1]);
    output_.reset(pipeFds[0]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output_.get());
    args.insert(args.begin(), TARNWICK_SIM_EXECUTABLE);
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  RunningTool(const RunningTool&) = delete;
  RunningTool& operator=(const RunningTool&) = delete;
  ~RunningTool() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  [[nodiscard]] std::string FirstLine() {
    std::string line;
    char c = 0;
    while (line.size() < 256) {
      pollfd fd{output_.get(), POLLIN, 0};
      if (::poll(&fd, 1, 5000) <= 0 || ::read(output_.get(), &c, 1) != 1 || c == '\n') break;
      line += c;
    }
    return line;
  }

  // Exit code, or -1 if it did not exit normally.
  [[nodiscard]] int Wait(int signal = 0) {
    if (signal != 0) ::kill(pid_, signal);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  UniqueFd output_;
  pid_t pid_ = -1;
};

TEST(SimTool, PrintsTheDeviceFirstAndStopsCleanlyOnSigterm) {
  RunningTool tool({"--size", "8"});
  const std::string device = tool.FirstLine();
  EXPECT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;
  EXPECT_EQ(::access(device.c_str(), R_OK | W_OK), 0);
  EXPECT_EQ(tool.Wait(SIGTERM), 0);
}

TEST(SimTool, HelpExitsZero) {
  RunningTool tool({"--help"});
  EXPECT_EQ(tool.FirstLine().rfind("Usage: tarnwick-sim", 0), 0u);
  EXPECT_EQ(tool.Wait(), 0);
}

TEST(SimTool, BadOptionExitsTwo) {
  RunningTool tool({"--size", "12"});
  EXPECT_EQ(tool.Wait(), 2);
}

}  // namespace
}  // namespace tarnwick::sim
