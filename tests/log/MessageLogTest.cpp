#include "log/Sendmsgfunctions.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

#include <set>

namespace tarnwick {
namespace {

using test::FixedClock;

class MessageLogTest : public ::testing::Test {
protected:
    MemoryLogView view;
    FixedClock clock;
    Sendmsgfunctions log{view, clock};
};

TEST(MessageCatalogueTest, HoldsEachCodeOnceWithText)
{
    std::set<MsgCode> codes;
    for (const auto& entry : kMessageCatalogue) {
        EXPECT_TRUE(codes.insert(entry.code).second) << "code " << entry.code << " twice";
        EXPECT_FALSE(entry.text.empty()) << "code " << entry.code;
    }
}

struct CodedLine {
    MsgCode code;
    std::string text;
    std::string line;
};

class CodedLineTest : public MessageLogTest, public ::testing::WithParamInterface<CodedLine> {};

TEST_P(CodedLineTest, AppendsCatalogueTextFollowedDirectlyByTheText)
{
    log.SendMsg(GetParam().code, GetParam().text);
    EXPECT_EQ(view.Lines(), std::vector<std::string>{GetParam().line});
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, CodedLineTest,
    ::testing::Values(CodedLine{2, "", "Error. The COM-port is not available."},
                      CodedLine{4, "\\\\.\\COM3", "The COM-port is open: \\\\.\\COM3"},
                      CodedLine{5, "", "The COM-port is close."},
                      CodedLine{6, "", "Error getting the COM-port parameters."},
                      CodedLine{7, "", "Error setting the COM-port parameters."},
                      CodedLine{8, "", "Gateway configuration error."},
                      CodedLine{17, "", "Error loading the packet."},
                      CodedLine{33, "", "Error receiving the packet."},
                      CodedLine{322, "", "Writing data is starting."},
                      CodedLine{323, "", "Reading data is starting."},
                      CodedLine{330, "", "Writing Status 1, Status 2 is starting."},
                      CodedLine{331, "", "Reading Status 1, Status 2 is starting."},
                      CodedLine{332, "", "Success. Operation complete."},
                      CodedLine{333, "", "Error. Operation incomplete."},
                      CodedLine{332, "x", "Success. Operation complete.x"},
                      CodedLine{512, "W25Q16.", "The selected chip is W25Q16."},
                      CodedLine{513, "1048576", "Open file. The number of downloaded bytes is 1048576"},
                      CodedLine{514, "0", "Save file. The number of saved bytes is 0"},
                      CodedLine{515, "", "1 sector = 4 kB, 1 block = 64 kB. Each 1 block = 16 sectors [0..15]."},
                      CodedLine{516, "127", "Max block number for selected chip = 127"}));

TEST_F(MessageLogTest, IgnoresCodesOutsideTheCatalogue)
{
    for (const MsgCode code : {0, 3, 334, -1, 0x7FFFFFFF})
        log.SendMsg(code, "whatever");
    EXPECT_TRUE(view.Lines().empty());
}

TEST_F(MessageLogTest, KeepsLinesInCallOrder)
{
    log.SendMsg(323);
    log.SendStartTime();
    log.AppendLine("Bit SUS is set.");
    log.SendMsg(333);
    EXPECT_EQ(view.Lines(), (std::vector<std::string>{"Reading data is starting.", "Start time: 0:0:0",
                                                      "Bit SUS is set.", "Error. Operation incomplete."}));
}

struct TimingCase {
    TimeOfDay at;
    bool start;
    std::string line;
};

class TimingLineTest : public MessageLogTest, public ::testing::WithParamInterface<TimingCase> {};

TEST_P(TimingLineTest, WritesHourMinuteSecondWithoutLeadingZeros)
{
    clock.now = GetParam().at;
    GetParam().start ? log.SendStartTime() : log.SendEndTime();
    EXPECT_EQ(view.Lines(), std::vector<std::string>{GetParam().line});
}

INSTANTIATE_TEST_SUITE_P(Clock, TimingLineTest,
                         ::testing::Values(TimingCase{{0, 0, 5}, true, "Start time: 0:0:5"},
                                           TimingCase{{14, 3, 9}, true, "Start time: 14:3:9"},
                                           TimingCase{{9, 30, 0}, false, "End time: 9:30:0"},
                                           TimingCase{{23, 59, 59}, false, "End time: 23:59:59"}));

}  // namespace
}  // namespace tarnwick
