// Each sequence's packets and waits, in order, against a scripted bridge.
#include "support/ChipRig.h"

#include <gtest/gtest.h>

#include <numeric>

namespace tarnwick::test {
namespace {

using Trace = std::vector<std::string>;

TEST(WriteEnableTest, SendsInstruction06InOneWindowWithoutWaiting)
{
    ChipRig rig;
    EXPECT_TRUE(rig.chip.WriteEnable());
    EXPECT_EQ(rig.Trace(), (Trace{"42 08", "47", "44 06", "46", "48"}));
    EXPECT_TRUE(rig.LogLines().empty());
}

struct WriteStatusCase {
    std::uint8_t status1;
    std::uint8_t status2;
    std::string load;
};

void PrintTo(const WriteStatusCase& c, std::ostream* os) { *os << "WriteStatus -> " << c.load; }

class WriteStatusTest : public testing::TestWithParam<WriteStatusCase> {};

// The second register goes right after D so that the chip, which takes the payload last
// byte first, receives 01, SR1, SR2.
TEST_P(WriteStatusTest, LoadsStatus2FirstAndWaits15Ms)
{
    ChipRig rig;
    EXPECT_TRUE(rig.chip.WriteStatus(GetParam().status1, GetParam().status2));
    EXPECT_EQ(rig.Trace(), (Trace{"42 18", "47", GetParam().load, "46", "48", "wait 15 ms"}));
}

INSTANTIATE_TEST_SUITE_P(Values, WriteStatusTest,
                         testing::Values(WriteStatusCase{0x00, 0x00, "44 00 00 01"},
                                         WriteStatusCase{0x1C, 0x02, "44 02 1C 01"},
                                         WriteStatusCase{0x80, 0x40, "44 40 80 01"}));

TEST(ReadStatusTest, TakesStatus1From05WindowAndStatus2From35Window)
{
    ChipRig rig;
    // Answer byte 0 came in last; the others are what came in while the instruction went out.
    rig.device.QueueAnswer({0x5A, 0x1C, 0xEE});
    rig.device.QueueAnswer({0x42, 0x77});

    const StatusPair status = rig.chip.ReadStatus();

    EXPECT_TRUE(status.Valid);
    EXPECT_EQ(status.Status1, 0x1C);
    EXPECT_EQ(status.Status2, 0x42);
    EXPECT_EQ(rig.Trace(), (Trace{"42 18", "47", "44 00 00 05", "46", "48", "45",  //
                                  "42 10", "47", "44 00 35", "46", "48", "45"}));
}

struct EraseCase {
    std::uint32_t address;
    std::string load;
};

void PrintTo(const EraseCase& c, std::ostream* os) { *os << "SectorErase(" << c.address << ") -> " << c.load; }

class SectorEraseTest : public testing::TestWithParam<EraseCase> {};

TEST_P(SectorEraseTest, SendsAddressLowByteFirstAndWaits400Ms)
{
    ChipRig rig;
    EXPECT_TRUE(rig.chip.SectorErase(GetParam().address));
    EXPECT_EQ(rig.Trace(), (Trace{"42 20", "47", GetParam().load, "46", "48", "wait 400 ms"}));
}

INSTANTIATE_TEST_SUITE_P(Addresses, SectorEraseTest,
                         testing::Values(EraseCase{2 * 65536 + 1 * 4096, "44 00 10 02 20"},  // block 2, sector 1
                                         EraseCase{0, "44 00 00 00 20"},
                                         EraseCase{0x7FF000, "44 00 F0 7F 20"},
                                         // only the low 24 bits reach the chip
                                         EraseCase{0x12345678, "44 78 56 34 20"}));

class PageProgramTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto image = rig.Image();
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<std::uint8_t>(i);
    }

    ChipRig rig;
};

TEST_F(PageProgramTest, SendsPageIn32ChunksEachFollowedBy2MsThen3MsAtTheEnd)
{
    EXPECT_TRUE(rig.chip.PageProgram(0));

    const Trace& trace = rig.Trace();
    ASSERT_EQ(trace.size(), 5U + 32 * 3 + 2);
    EXPECT_EQ(Trace(trace.begin(), trace.begin() + 5), (Trace{"42 20", "47", "44 00 00 00 02", "46", "42 40"}));
    EXPECT_EQ(trace[5], "44 07 06 05 04 03 02 01 00");
    EXPECT_EQ(trace[5 + 31 * 3], "44 FF FE FD FC FB FA F9 F8");
    for (std::size_t chunk = 0; chunk < 32; ++chunk) {
        EXPECT_EQ(trace[5 + chunk * 3 + 1], "46") << "chunk " << chunk;
        EXPECT_EQ(trace[5 + chunk * 3 + 2], "wait 2 ms") << "chunk " << chunk;
    }
    EXPECT_EQ(Trace(trace.end() - 2, trace.end()), (Trace{"48", "wait 3 ms"}));
}

// Decoded as the bridge puts it on the bus (each D payload last byte first), the window
// carries 02, the address from its top byte, then the page in ascending order.
TEST_F(PageProgramTest, ChipReceivesInstructionAddressAndPageInOrder)
{
    constexpr std::uint32_t kLastPage = 0x7FFF00;
    EXPECT_TRUE(rig.chip.PageProgram(kLastPage));

    std::vector<std::uint8_t> bus;
    for (const auto& packet : rig.device.Packets())
        if (packet.front() == 0x44)
            bus.insert(bus.end(), packet.rbegin(), packet.rend() - 1);

    std::vector<std::uint8_t> expected{0x02, 0x7F, 0xFF, 0x00};
    const auto page = rig.Image().subspan(kLastPage, 256);
    expected.insert(expected.end(), page.begin(), page.end());
    EXPECT_EQ(bus, expected);
}

}  // namespace
}  // namespace tarnwick::test
