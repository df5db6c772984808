#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tarnwick {

// An RTF document whose paragraphs are `lines` (UTF-8), in one plain font. RTF's own
// characters are escaped and everything beyond ASCII is written as a Unicode escape, so
// braces, backslashes and Cyrillic come back unchanged in any word processor.
[[nodiscard]] std::string LinesToRtf(std::span<const std::string> lines, std::string_view fontFamily = "Sans Serif");

}  // namespace tarnwick
