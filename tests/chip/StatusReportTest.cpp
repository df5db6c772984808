// The nine sentences that explain the status registers.
#include "support/ChipRig.h"

#include <gtest/gtest.h>

#include <map>

namespace tarnwick::test {
namespace {

using Lines = std::vector<std::string>;

// Every line as it reads with all bits cleared; each case names only the lines it changes.
const Lines& ClearedLines()
{
    static const Lines lines{
        "Bit BUSY is cleared. Chip is redy for further instructions.",
        "Bit WEL is cleared. Write is disabled.",
        "All of TB, BP2, BP1, BP0 are cleared. Memory protection is disabled.",
        "Bit SEC is cleared. Block protection is selected.",
        "Bits SRP1, SRP0 are cleared. Status register can be written at any time.",
        "Bit QE is cleared. Quad SPI is disabled.",
        "All of LB3, LB2, LB1 are cleared. All of security registers are unlocked.",
        "Bit CMP is cleared.",
        "Bit SUS is cleared.",
    };
    return lines;
}

constexpr auto kBusy = "Bit BUSY is set. Chip is busy.";
constexpr auto kWel = "Bit WEL is set. Write is enabled.";
constexpr auto kProtected = "One of TB, BP2, BP1, BP0 is not cleared. Memory protection is enabled.";
constexpr auto kSec = "Bit SEC is set. Sector protection is selected.";
constexpr auto kSrpWp = "Bit SRP1 is cleared and bit SRP0 is set. Status register protection depends on the WP pin value.";
constexpr auto kSrpPowerCycle =
    "Bit SRP1 is set and bit SRP0 is cleared. Status register is protected until the next power-down, power-up cycle.";
constexpr auto kSrpPermanent =
    "Bits SRP1, SRP0 is set. Status register is permanently protected and can not be written to.";
constexpr auto kQe = "Bit QE is set. Quad SPI is enabled.";
constexpr auto kLocked = "One of LB3, LB2, LB1 is not cleared. Some of security registers are locked.";
constexpr auto kCmp = "Bit CMP is set.";
constexpr auto kSus = "Bit SUS is set.";

struct ReportCase {
    std::string name;
    std::uint8_t status1;
    std::uint8_t status2;
    std::map<std::size_t, std::string> changed;  // line number from 1 -> sentence
};

void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.name; }

class StatusReportTest : public testing::TestWithParam<ReportCase> {};

TEST_P(StatusReportTest, AppendsNineSentencesStraightToTheView)
{
    ChipRig rig;
    Lines expected = ClearedLines();
    for (const auto& [line, sentence] : GetParam().changed)
        expected[line - 1] = sentence;

    rig.chip.ShowStatusBits(GetParam().status1, GetParam().status2);

    EXPECT_EQ(rig.LogLines(), expected);
    EXPECT_TRUE(rig.Trace().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Registers, StatusReportTest,
    testing::Values(
        ReportCase{"AllCleared", 0x00, 0x00, {}},
        ReportCase{"Busy", 0x01, 0x00, {{1, kBusy}}},
        ReportCase{"WriteEnabled", 0x02, 0x00, {{2, kWel}}},
        ReportCase{"Bp0", 0x04, 0x00, {{3, kProtected}}},
        ReportCase{"Bp2", 0x10, 0x00, {{3, kProtected}}},
        ReportCase{"TbOnly", 0x20, 0x00, {{3, kProtected}}},
        ReportCase{"Sec", 0x40, 0x00, {{4, kSec}}},
        ReportCase{"Srp0Only", 0x80, 0x00, {{5, kSrpWp}}},
        ReportCase{"Srp1Only", 0x00, 0x01, {{5, kSrpPowerCycle}}},
        ReportCase{"Srp1AndSrp0", 0x80, 0x01, {{5, kSrpPermanent}}},
        ReportCase{"QeOnly", 0x00, 0x02, {{6, kQe}}},
        ReportCase{"S10HasNoSentence", 0x00, 0x04, {}},
        ReportCase{"Lb1", 0x00, 0x08, {{7, kLocked}}},
        ReportCase{"Lb3", 0x00, 0x20, {{7, kLocked}}},
        ReportCase{"Cmp", 0x00, 0x40, {{8, kCmp}}},
        ReportCase{"Sus", 0x00, 0x80, {{9, kSus}}},
        ReportCase{"AllSet",
                   0xFF,
                   0xFF,
                   {{1, kBusy}, {2, kWel}, {3, kProtected}, {4, kSec}, {5, kSrpPermanent}, {6, kQe}, {7, kLocked},
                    {8, kCmp}, {9, kSus}}},
        // Same Status1 with and without S10: S10 changes nothing.
        ReportCase{"S10BesideOtherBits", 0x83, 0x04, {{1, kBusy}, {2, kWel}, {5, kSrpWp}}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tarnwick::test
