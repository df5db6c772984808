// The sequences end to end: real port code, real waits, the simulated bridge and chip on a
// pseudo-terminal.
#include "chip/W25qxx.h"
#include "link/PosixSerialDevice.h"
#include "log/LogView.h"
#include "platform/PosixSleeper.h"
#include "sim/PtyServer.h"
#include "support/ChipRig.h"

#include <gtest/gtest.h>

namespace tarnwick::test {
namespace {

class ChipOverSimulatorTest : public testing::Test {
protected:
    explicit ChipOverSimulatorTest(sim::SimOptions options = {}) : simulator_(std::move(options))
    {
        simulator_.Start();
        port.OpenPort(simulator_.DevicePath());
    }

    [[nodiscard]] sim::PtyServer& Simulator() { return simulator_; }

private:
    sim::PtyServer simulator_;

protected:
    Timeline timeline;
    MemoryLogView view;
    FixedClock clock;
    Sendmsgfunctions log{view, clock};
    PosixSerialDevice device;
    Portfunctions port{device, log};
    ChipImage image;
    PosixSleeper sleeper;
    RecordingProgress progress{timeline};
    W25qxx chip{port, log, image, sleeper, progress, [this] {
                    port.ClosePort();
                    log.SendMsg(msg::kPortClosed);
                }};
};

// The answers reach the host one byte first, the rest a little later.
sim::SimOptions SplitAnswers()
{
    sim::SimOptions options;
    options.splitAnswerAfter = 1;
    options.splitDelay = std::chrono::milliseconds(3);
    return options;
}

class ChipOverSplittingSimulatorTest : public ChipOverSimulatorTest {
protected:
    ChipOverSplittingSimulatorTest() : ChipOverSimulatorTest(SplitAnswers()) {}
};

TEST_F(ChipOverSimulatorTest, ErasedAndProgrammedSectorReadsBackAsWritten)
{
    ASSERT_TRUE(port.IsOpen()) << testing::PrintToString(view.Lines());
    constexpr std::uint32_t kSector = 2 * 65536 + 1 * 4096;
    const std::vector<std::uint8_t> zeros(W25qxx::kSectorSize, 0x00);
    Simulator().WriteArray(kSector, zeros);  // only an erase brings these back to FF
    auto sector = image.Bytes().subspan(kSector, W25qxx::kSectorSize);
    for (std::size_t i = 0; i < sector.size(); ++i)
        sector[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    const std::vector<std::uint8_t> written(sector.begin(), sector.end());

    ASSERT_TRUE(chip.WriteEnable());
    ASSERT_TRUE(chip.SectorErase(kSector));
    for (std::uint32_t page = kSector; page < kSector + W25qxx::kSectorSize; page += W25qxx::kPageSize) {
        ASSERT_TRUE(chip.WriteEnable());
        ASSERT_TRUE(chip.PageProgram(page));
    }
    EXPECT_EQ(Simulator().ReadArray(kSector, W25qxx::kSectorSize), written);

    std::ranges::fill(sector, 0x00);
    ASSERT_TRUE(chip.ReadData(kSector, kSector + W25qxx::kSectorSize - 1));

    EXPECT_TRUE(std::ranges::equal(sector, written));
    EXPECT_EQ(progress.Positions(), (std::vector<int>{0}));
    EXPECT_TRUE(view.Lines().empty());
}

// Two pairs whose registers differ from each other and from one pair to the next, none
// touching SRP1/SRP0 (which could lock the registers) nor the one-time LB bits.
TEST_F(ChipOverSimulatorTest, WrittenStatusRegistersReadBackEachFromItsOwnInstruction)
{
    ASSERT_TRUE(port.IsOpen()) << testing::PrintToString(view.Lines());
    struct Pair {
        std::uint8_t status1;
        std::uint8_t status2;
    };
    for (const Pair pair : {Pair{0x1C, 0x02}, Pair{0x44, 0x00}}) {
        ASSERT_TRUE(chip.WriteEnable());
        ASSERT_TRUE(chip.WriteStatus(pair.status1, pair.status2));

        const StatusPair status = chip.ReadStatus();

        ASSERT_TRUE(status.Valid);
        EXPECT_EQ(status.Status1, pair.status1);
        EXPECT_EQ(status.Status2, pair.status2);
        EXPECT_EQ(Simulator().Status1(), pair.status1);
        EXPECT_EQ(Simulator().Status2(), pair.status2);
    }
    EXPECT_TRUE(view.Lines().empty());
}

TEST_F(ChipOverSplittingSimulatorTest, AnswersArrivingInPiecesStillGiveTheRightBytes)
{
    ASSERT_TRUE(port.IsOpen()) << testing::PrintToString(view.Lines());
    std::vector<std::uint8_t> stored(64);
    for (std::size_t i = 0; i < stored.size(); ++i)
        stored[i] = static_cast<std::uint8_t>(0xC0 ^ i);
    Simulator().WriteArray(0x1000, stored);
    Simulator().SetStatus(0x0C, 0x02);

    const StatusPair status = chip.ReadStatus();
    ASSERT_TRUE(chip.ReadData(0x1000, 0x1000 + 63));

    ASSERT_TRUE(status.Valid);
    EXPECT_EQ(status.Status1, 0x0C);
    EXPECT_EQ(status.Status2, 0x02);
    EXPECT_TRUE(std::ranges::equal(image.Bytes().subspan(0x1000, 64), stored));
    EXPECT_TRUE(view.Lines().empty());
}

}  // namespace
}  // namespace tarnwick::test
