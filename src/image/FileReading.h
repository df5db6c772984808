#pragma once

#include "platform/UniqueFd.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

inline constexpr std::string_view kCannotOpenFile = "Cannot open file %s";
inline constexpr std::string_view kCannotReadFile = "Cannot read file %s";

// A file opened for reading, with its length as it was when opened. Opening comes apart from
// reading because a load must report a missing file before it looks at anything else.
class InputFile {
public:
    // Throws AppError kCannotOpenFile when `name` cannot be opened for reading or is a folder.
    explicit InputFile(const std::string& name);

    [[nodiscard]] std::int64_t Size() const { return size_; }
    // Up to `count` bytes from the file's beginning; fewer when the file ends sooner.
    // Throws AppError "Cannot read file %s: <reason>" when the device fails.
    [[nodiscard]] std::vector<std::uint8_t> ReadPrefix(std::size_t count) const;

private:
    std::string name_;
    UniqueFd fd_;
    std::int64_t size_ = 0;
};

}  // namespace tarnwick
