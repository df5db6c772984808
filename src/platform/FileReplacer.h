#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tarnwick {

inline constexpr std::string_view kCannotCreateFile = "Cannot create file %s";
inline constexpr std::string_view kCannotWriteFile = "Cannot write file %s";

// Writes `bytes` as the whole new content of the file `name`, creating or replacing it.
// A regular file is replaced only once its successor is complete on disk (written beside it,
// then renamed over it, keeping its permissions), so a full disk or a device error never
// leaves the operator with half a file where a good one used to be. Devices and other
// non-regular targets are written in place.
// Throws AppError: "Cannot create file %s" when the file cannot be opened for writing,
// "Cannot write file %s: <reason>" when writing it fails part way.
void ReplaceFileContents(const std::string& name, std::span<const std::uint8_t> bytes);

}  // namespace tarnwick
