#include "image/PictureLookup.h"

#include "ChipBench.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace tarnwick {
namespace {

using test::TempDir;

constexpr std::string_view kPicture = "W25Qxx.jpg";

void Touch(const std::filesystem::path& file) { std::ofstream(file) << "jpeg"; }

class PictureLookupTest : public ::testing::Test {
protected:
    PictureLookupTest()
    {
        std::filesystem::create_directory(first);
        std::filesystem::create_directory(second);
    }

    TempDir dir;
    std::filesystem::path first = dir.Path() / "first";
    std::filesystem::path second = dir.Path() / "second";
    std::vector<std::filesystem::path> folders{first, second};
};

TEST_F(PictureLookupTest, EarlierFolderWins)
{
    Touch(first / kPicture);
    Touch(second / kPicture);
    EXPECT_EQ(FindPicture(kPicture, folders), first / kPicture);
}

TEST_F(PictureLookupTest, LaterFolderServesWhenEarlierLacksIt)
{
    Touch(second / kPicture);
    EXPECT_EQ(FindPicture(kPicture, folders), second / kPicture);
}

TEST_F(PictureLookupTest, NothingFoundAndFoldersOfThatNameDoNotCount)
{
    std::filesystem::create_directory(first / kPicture);
    EXPECT_EQ(FindPicture(kPicture, folders), std::nullopt);
    EXPECT_EQ(FindPicture(kPicture, {}), std::nullopt);
}

TEST_F(PictureLookupTest, EmptyFolderIsTheWorkingDirectoryOfTheMoment)
{
    Touch(second / kPicture);
    const auto previous = std::filesystem::current_path();
    const std::vector<std::filesystem::path> workingDirectoryOnly{std::filesystem::path()};

    std::filesystem::current_path(first);
    EXPECT_EQ(FindPicture(kPicture, workingDirectoryOnly), std::nullopt);
    std::filesystem::current_path(second);
    const auto found = FindPicture(kPicture, workingDirectoryOnly);
    std::filesystem::current_path(previous);

    // Left relative, so the picture is loaded from the folder it was found in.
    EXPECT_EQ(found, std::filesystem::path(kPicture));
}

TEST(DefaultPictureFolders, WorkingDirectoryThenExecutableThenDataFolder)
{
    const auto folders = DefaultPictureFolders();
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[0], std::filesystem::path());
    EXPECT_TRUE(std::filesystem::equivalent(folders[1], std::filesystem::canonical("/proc/self/exe").parent_path()));
    EXPECT_EQ(folders[2].filename(), "tarnwick");
}

}  // namespace
}  // namespace tarnwick
