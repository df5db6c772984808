#include "log/LogFile.h"
#include "log/RtfWriter.h"
#include "platform/AppError.h"
#include "support/RtfReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tarnwick {
namespace {

using test::ReadWholeFile;
using test::RtfParagraphs;

TEST(RtfWriterTest, AwkwardTextComesBackUnchanged)
{
    const std::vector<std::string> lines{
        "The COM-port is open: \\\\.\\COM3",
        "{braces} and \\par and \\u1234? typed by hand",
        "Проверка: чип прошит",
        "tab\there, emoji \xF0\x9F\x94\xA7, euro \xE2\x82\xAC",
        "",
        "trailing blank ",
    };
    EXPECT_EQ(RtfParagraphs(LinesToRtf(lines)), lines);
}

TEST(RtfWriterTest, KeepsTheDocumentPlainAscii)
{
    const std::string rtf = LinesToRtf(std::vector<std::string>{"Ж {x}"});
    EXPECT_TRUE(rtf.starts_with("{\\rtf1"));
    for (const char c : rtf)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_NE(rtf.find("\\u1046?"), std::string::npos);
}

TEST(RtfWriterTest, MalformedUtf8BecomesReplacementCharacter)
{
    EXPECT_EQ(RtfParagraphs(LinesToRtf(std::vector<std::string>{"a\xFF" "b"})),
              std::vector<std::string>{"a\xEF\xBF\xBD" "b"});
}

class LogFileTest : public ::testing::Test {
protected:
    test::TempDir dir;
    MemoryLogView view;
};

TEST_F(LogFileTest, SavesEveryLineAsAParagraph)
{
    view.AppendLine("The COM-port is close.");
    view.AppendLine("Изменено оператором {вручную}");
    const std::string name = dir.File("session.bin");
    SaveLogFile(name, view);
    EXPECT_EQ(RtfParagraphs(ReadWholeFile(name)), view.Lines());
}

TEST_F(LogFileTest, EmptyLogGivesDocumentWithoutText)
{
    const std::string name = dir.File("empty.rtf");
    SaveLogFile(name, view);
    const std::string rtf = ReadWholeFile(name);
    EXPECT_TRUE(rtf.starts_with("{\\rtf1"));
    EXPECT_TRUE(RtfParagraphs(rtf).empty());
}

TEST_F(LogFileTest, ReplacesAnExistingFileWithoutAsking)
{
    const std::string name = dir.File("log");
    test::WriteWholeFile(name, std::string(10000, 'x'));
    view.AppendLine("only line");
    SaveLogFile(name, view);
    EXPECT_EQ(RtfParagraphs(ReadWholeFile(name)), std::vector<std::string>{"only line"});
}

TEST_F(LogFileTest, UncreatableFileIsReportedByName)
{
    const std::string name = dir.File("missing-folder/log.rtf");
    view.AppendLine("kept");
    try {
        SaveLogFile(name, view);
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + name);
    }
    EXPECT_EQ(view.Lines(), std::vector<std::string>{"kept"});
    EXPECT_FALSE(std::filesystem::exists(name));
}

}  // namespace
}  // namespace tarnwick
