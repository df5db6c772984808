#include "log/RtfWriter.h"

#include <cstdint>

namespace tarnwick {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes one UTF-8 sequence at text[at], advancing `at`; malformed input gives U+FFFD.
char32_t NextCodePoint(std::string_view text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    int continuation = 0;
    char32_t value = 0;
    if ((lead & 0xE0) == 0xC0) {
        continuation = 1;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        continuation = 2;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        continuation = 3;
        value = lead & 0x07;
    } else {
        return kReplacementCharacter;
    }
    for (int i = 0; i < continuation; ++i) {
        if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80)
            return kReplacementCharacter;
        value = (value << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    return value > 0x10FFFF ? kReplacementCharacter : value;
}

// \uN takes a signed 16-bit number; the '?' after it is what readers without Unicode show.
void AppendUnicodeEscape(std::string& rtf, std::uint16_t unit)
{
    rtf += "\\u";
    rtf += std::to_string(static_cast<std::int16_t>(unit));
    rtf += '?';
}

void AppendEscaped(std::string& rtf, std::string_view line)
{
    for (std::size_t at = 0; at < line.size();) {
        const char32_t c = NextCodePoint(line, at);
        if (c == '\\' || c == '{' || c == '}') {
            rtf += '\\';
            rtf += static_cast<char>(c);
        } else if (c == '\t') {
            rtf += "\\tab ";
        } else if (c == '\n') {
            rtf += "\\par\n";
        } else if (c < 0x20 || c == 0x7F) {
            // Other control characters have no place in a text line.
        } else if (c < 0x80) {
            rtf += static_cast<char>(c);
        } else if (c <= 0xFFFF) {
            AppendUnicodeEscape(rtf, static_cast<std::uint16_t>(c));
        } else {
            const char32_t offset = c - 0x10000;
            AppendUnicodeEscape(rtf, static_cast<std::uint16_t>(0xD800 + (offset >> 10)));
            AppendUnicodeEscape(rtf, static_cast<std::uint16_t>(0xDC00 + (offset & 0x3FF)));
        }
    }
}

}  // namespace

std::string LinesToRtf(std::span<const std::string> lines, std::string_view fontFamily)
{
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil ";
    AppendEscaped(rtf, fontFamily);
    rtf += ";}}\n";
    if (!lines.empty())
        rtf += "\\pard\\plain\\f0\\fs20 ";
    for (const auto& line : lines) {
        AppendEscaped(rtf, line);
        rtf += "\\par\n";
    }
    rtf += "}\n";
    return rtf;
}

}  // namespace tarnwick
