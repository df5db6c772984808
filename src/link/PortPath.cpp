#include "link/PortPath.h"

#include <algorithm>
#include <cctype>

namespace tarnwick {
namespace {

// "COMn" in any case with n >= 1: the n-th serial port.
std::optional<unsigned> ComPortNumber(const std::string& name)
{
    if (name.size() < 4 || name.size() > 12)
        return std::nullopt;
    const auto is_letter = [&](std::size_t at, char upper) {
        return std::toupper(static_cast<unsigned char>(name[at])) == upper;
    };
    if (!is_letter(0, 'C') || !is_letter(1, 'O') || !is_letter(2, 'M'))
        return std::nullopt;
    if (name[3] == '0' || !std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const unsigned long number = std::stoul(name.substr(3));
    if (number > 99999)
        return std::nullopt;
    return static_cast<unsigned>(number);
}

}  // namespace

std::optional<std::string> DeviceForPortPath(const std::string& path)
{
    std::string name = path;
    if (name.starts_with(kPortPathPrefix))
        name.erase(0, kPortPathPrefix.size());
    if (name.empty() || name.size() > kMaxPortNameLength)
        return std::nullopt;
    if (name.front() == '/')
        return name;
    if (const auto number = ComPortNumber(name))
        return "/dev/ttyS" + std::to_string(*number - 1);
    return "/dev/" + name;
}

}  // namespace tarnwick
