#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

// Reads back the plain text of an RTF document, one entry per paragraph, the way a word
// processor would: escapes and \uN resolved, font table and other destinations skipped.
// Enough of RTF to check our own writer independently of it.
[[nodiscard]] std::vector<std::string> RtfParagraphs(std::string_view rtf);

}  // namespace tarnwick::test
