#pragma once

#include <optional>
#include <string>

namespace tarnwick {

// The prefix of a Windows device path, which the operator's port name follows.
inline constexpr std::string_view kPortPathPrefix = "\\\\.\\";
// The longest port name the path buffer holds.
inline constexpr std::size_t kMaxPortNameLength = 95;

// The device a port path names on this system: "/..." as it stands, COMn as /dev/ttyS(n-1),
// anything else under /dev. Nothing for an empty or over-long name.
[[nodiscard]] std::optional<std::string> DeviceForPortPath(const std::string& path);

}  // namespace tarnwick
