#include "platform/AppError.h"
#include "platform/FileReplacer.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::WriteWholeFile;

std::span<const std::uint8_t> AsBytes(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class FileReplacerTest : public ::testing::Test {
protected:
    [[nodiscard]] std::size_t EntriesInDir() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()));
    }

    test::TempDir dir;
};

TEST_F(FileReplacerTest, CreatesAndReplacesWholeContent)
{
    const std::string name = dir.File("image.bin");
    ReplaceFileContents(name, AsBytes("first, longer content"));
    ReplaceFileContents(name, AsBytes("second"));
    EXPECT_EQ(ReadWholeFile(name), "second");
    EXPECT_EQ(EntriesInDir(), 1U);
}

TEST_F(FileReplacerTest, KeepsPermissionsOfTheReplacedFile)
{
    const std::string name = dir.File("image.bin");
    WriteWholeFile(name, "old");
    fs::permissions(name, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ReplaceFileContents(name, AsBytes("new"));
    EXPECT_EQ(fs::status(name).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FileReplacerTest, WritesThroughASymbolicLinkAndKeepsTheLink)
{
    const std::string target = dir.File("real.bin");
    const std::string link = dir.File("link.bin");
    WriteWholeFile(target, "old");
    fs::create_symlink(target, link);
    ReplaceFileContents(link, AsBytes("new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(target), "new");
}

TEST_F(FileReplacerTest, FailedWriteKeepsThePreviousFileAndLeavesNoLeftovers)
{
    const std::string name = dir.File("image.bin");
    WriteWholeFile(name, "the good previous image");
    const std::string big(64 * 1024, 'x');
    {
        const test::FileSizeLimit limit(4096);
        EXPECT_THROW(ReplaceFileContents(name, AsBytes(big)), AppError);
    }
    EXPECT_EQ(ReadWholeFile(name), "the good previous image");
    EXPECT_EQ(EntriesInDir(), 1U);
}

TEST_F(FileReplacerTest, FullDeviceIsAWriteError)
{
    if (!fs::is_character_file("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    try {
        ReplaceFileContents("/dev/full", AsBytes("anything"));
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_TRUE(std::string(error.what()).starts_with("Cannot write file /dev/full: ")) << error.what();
    }
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(FileReplacerTest, UncreatableNamesAreCannotCreate)
{
    for (const std::string& name : {dir.File("no-folder/image.bin"), std::string(), dir.Path().string()}) {
        try {
            ReplaceFileContents(name, AsBytes("x"));
            ADD_FAILURE() << "no error for '" << name << "'";
        } catch (const AppError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot create file " + name);
        }
    }
}

TEST_F(FileReplacerTest, WriteProtectedFileIsNotReplaced)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes to any file";
    const std::string name = dir.File("protected.bin");
    WriteWholeFile(name, "keep me");
    fs::permissions(name, fs::perms::owner_read);
    EXPECT_THROW(ReplaceFileContents(name, AsBytes("x")), AppError);
    EXPECT_EQ(ReadWholeFile(name), "keep me");
}

}  // namespace
}  // namespace tarnwick
