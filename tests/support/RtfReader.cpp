#include "support/RtfReader.h"

#include <cctype>
#include <cstdint>
#include <stdexcept>

namespace tarnwick::test {
namespace {

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::vector<std::string> RtfParagraphs(std::string_view rtf)
{
    std::vector<std::string> paragraphs;
    std::string current;
    int depth = 0;
    int skipped_depth = 0;  // depth of a destination being skipped, 0 when none
    char16_t high_surrogate = 0;
    int fallback_to_skip = 0;
    std::size_t at = 0;
    const auto emit = [&](char32_t c) {
        if (skipped_depth != 0)
            return;
        if (fallback_to_skip > 0) {
            --fallback_to_skip;
            return;
        }
        AppendUtf8(current, c);
    };
    while (at < rtf.size()) {
        const char c = rtf[at++];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (depth == skipped_depth)
                skipped_depth = 0;
            --depth;
        } else if (c == '\r' || c == '\n') {
        } else if (c != '\\') {
            emit(static_cast<unsigned char>(c));
        } else if (at < rtf.size() && !std::isalpha(static_cast<unsigned char>(rtf[at]))) {
            emit(static_cast<unsigned char>(rtf[at++]));
        } else {
            std::string word;
            while (at < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[at])))
                word += rtf[at++];
            std::string number;
            if (at < rtf.size() && (rtf[at] == '-' || std::isdigit(static_cast<unsigned char>(rtf[at]))))
                number += rtf[at++];
            while (at < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[at])))
                number += rtf[at++];
            if (at < rtf.size() && rtf[at] == ' ')
                ++at;
            if (word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info") {
                if (skipped_depth == 0)
                    skipped_depth = depth;
            } else if (word == "par" && skipped_depth == 0) {
                paragraphs.push_back(current);
                current.clear();
            } else if (word == "tab") {
                emit('\t');
            } else if (word == "u") {
                const auto unit = static_cast<char16_t>(static_cast<std::int16_t>(std::stoi(number)));
                if (unit >= 0xD800 && unit < 0xDC00) {
                    high_surrogate = unit;
                } else if (unit >= 0xDC00 && unit < 0xE000) {
                    emit(0x10000 + ((high_surrogate - 0xD800) << 10) + (unit - 0xDC00));
                } else {
                    emit(unit);
                }
                fallback_to_skip = 1;
            }
        }
    }
    if (depth != 0)
        throw std::runtime_error("unbalanced RTF groups");
    if (!current.empty())
        paragraphs.push_back(current);
    return paragraphs;
}

}  // namespace tarnwick::test
