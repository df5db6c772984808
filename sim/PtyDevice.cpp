#include "sim/PtyDevice.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tarnwick::sim {
namespace {

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PtyDevice::PtyDevice(const std::string& linkPath) : linkPath_(linkPath) {
  master_.reset(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!master_) Fail("posix_openpt");
  if (::grantpt(master_.get()) != 0) Fail("grantpt");
  if (::unlockpt(master_.get()) != 0) Fail("unlockpt");
  std::array<char, 128> name{};
  if (::ptsname_r(master_.get(), name.data(), name.size()) != 0) Fail("ptsname");
  slavePath_ = name.data();
  // Non-blocking: the serving thread multiplexes with ppoll and must never stall on a write.
  const int flags = ::fcntl(master_.get(), F_GETFL);
  if (flags < 0 || ::fcntl(master_.get(), F_SETFL, flags | O_NONBLOCK) != 0) Fail("fcntl");
  // No flock on this descriptor: the host takes an exclusive one on its own.
  heldSlave_.reset(::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!heldSlave_) Fail("open " + slavePath_);
  if (!linkPath_.empty()) MakeLink();
}

PtyDevice::~PtyDevice() { RemoveLink(); }

void PtyDevice::Close() {
  master_.reset();
  heldSlave_.reset();
}

void PtyDevice::MakeLink() {
  struct stat existing {};
  if (::lstat(linkPath_.c_str(), &existing) == 0) {
    if (!S_ISLNK(existing.st_mode)) {
      throw std::runtime_error(linkPath_ + " exists and is not a symlink; not replacing it");
    }
    ::unlink(linkPath_.c_str());
  }
  if (::symlink(slavePath_.c_str(), linkPath_.c_str()) != 0) Fail("symlink " + linkPath_);
}

void PtyDevice::RemoveLink() {
  if (linkPath_.empty()) return;
  // Only our own link: another simulator may have replaced it meanwhile.
  std::array<char, 256> target{};
  const ssize_t length = ::readlink(linkPath_.c_str(), target.data(), target.size() - 1);
  if (length > 0 && slavePath_ == std::string(target.data(), static_cast<std::size_t>(length))) {
    ::unlink(linkPath_.c_str());
  }
}

}  // namespace tarnwick::sim
