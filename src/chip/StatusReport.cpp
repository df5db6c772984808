#include "chip/StatusReport.h"

namespace tarnwick {
namespace {

// One sentence chosen by whether any bit of `mask` is set in the 16-bit register pair
// (Status2 in the high byte, so S15..S0 line up with the bit numbers).
struct FlagSentence {
    std::uint16_t mask;
    std::string_view whenSet;
    std::string_view whenCleared;
};

constexpr std::array<FlagSentence, 4> kStatus1Sentences{{
    {0x0001, "Bit BUSY is set. Chip is busy.", "Bit BUSY is cleared. Chip is redy for further instructions."},
    {0x0002, "Bit WEL is set. Write is enabled.", "Bit WEL is cleared. Write is disabled."},
    {0x003C, "One of TB, BP2, BP1, BP0 is not cleared. Memory protection is enabled.",
     "All of TB, BP2, BP1, BP0 are cleared. Memory protection is disabled."},
    {0x0040, "Bit SEC is set. Sector protection is selected.", "Bit SEC is cleared. Block protection is selected."},
}};

// Indexed by SRP1 * 2 + SRP0; the two bits sit in different registers.
constexpr std::array<std::string_view, 4> kProtectionSentences{
    "Bits SRP1, SRP0 are cleared. Status register can be written at any time.",
    "Bit SRP1 is cleared and bit SRP0 is set. Status register protection depends on the WP pin value.",
    "Bit SRP1 is set and bit SRP0 is cleared. Status register is protected until the next power-down, "
    "power-up cycle.",
    "Bits SRP1, SRP0 is set. Status register is permanently protected and can not be written to.",
};

// S10 has no sentence.
constexpr std::array<FlagSentence, 4> kStatus2Sentences{{
    {0x0200, "Bit QE is set. Quad SPI is enabled.", "Bit QE is cleared. Quad SPI is disabled."},
    {0x3800, "One of LB3, LB2, LB1 is not cleared. Some of security registers are locked.",
     "All of LB3, LB2, LB1 are cleared. All of security registers are unlocked."},
    {0x4000, "Bit CMP is set.", "Bit CMP is cleared."},
    {0x8000, "Bit SUS is set.", "Bit SUS is cleared."},
}};

constexpr std::uint8_t kSrp0 = 0x80;  // in Status1
constexpr std::uint8_t kSrp1 = 0x01;  // in Status2

}  // namespace

std::array<std::string_view, kStatusSentenceCount> StatusSentences(std::uint8_t status1, std::uint8_t status2)
{
    const auto registers = static_cast<std::uint16_t>(status2 << 8 | status1);
    const auto pick = [registers](const FlagSentence& row) {
        return (registers & row.mask) != 0 ? row.whenSet : row.whenCleared;
    };
    const std::size_t protection = ((status2 & kSrp1) != 0 ? 2U : 0U) + ((status1 & kSrp0) != 0 ? 1U : 0U);

    std::array<std::string_view, kStatusSentenceCount> sentences{};
    std::size_t next = 0;
    for (const auto& row : kStatus1Sentences)
        sentences[next++] = pick(row);
    sentences[next++] = kProtectionSentences[protection];
    for (const auto& row : kStatus2Sentences)
        sentences[next++] = pick(row);
    return sentences;
}

}  // namespace tarnwick
