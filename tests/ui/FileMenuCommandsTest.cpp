#include "ui/FileMenuCommands.h"

#include "ChipBench.h"

#include "platform/AppError.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using test::ChipBench;
using test::FakeFileDialogs;
using test::Pattern;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

constexpr std::size_t k8M = 1'048'576;

const MessageBoxRequest kOverwriteConfirmation{.owner = BoxOwner::MainWindow,
                                               .caption = "",
                                               .text = "Текущий файл будет перезаписан, продолжить?",
                                               .buttons = BoxButtons::OkCancel,
                                               .icon = BoxIcon::Question};

class FileMenuTest : public ::testing::Test {
protected:
    FileMenuTest()
    {
        bench.chip.SelectChip(1);
        bench.boxes.shown.clear();  // the missing-picture box: no picture folder here
        linesAfterSelection = bench.LogLines().size();
    }

    [[nodiscard]] std::size_t NewLogLineCount() const { return bench.LogLines().size() - linesAfterSelection; }

    TempDir dir;
    ChipBench bench;
    FakeFileDialogs dialogs;
    FileMenuCommands menu{bench.chip, dialogs, bench.boxes};
    std::size_t linesAfterSelection = 0;
};

TEST_F(FileMenuTest, CancelledDialogsDoNothing)
{
    menu.Open1Click();
    menu.Opentoselected1Click();
    menu.Saveas1Click();
    menu.Saveselectedas1Click();
    menu.Save1Click();

    EXPECT_EQ(dialogs.openShown, 2);
    EXPECT_EQ(dialogs.saveShown, 3);
    EXPECT_TRUE(menu.CurrentFileName().empty());
    EXPECT_TRUE(bench.window.statusText.empty());
    EXPECT_EQ(NewLogLineCount(), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST_F(FileMenuTest, OpenCommandsLoadTheChosenFileWholeOrIntoTheArea)
{
    const auto file = Pattern(8192, 4);
    WriteFile(dir.File("in.bin"), file);
    bench.window.TypeArea("3", "1", "3", "1");
    dialogs.openAnswers = {dir.File("in.bin"), dir.File("in.bin")};

    menu.Open1Click();
    menu.Opentoselected1Click();

    const auto image = bench.chip.Image().Bytes();
    EXPECT_TRUE(std::ranges::equal(image.first(8192), file));
    EXPECT_TRUE(std::ranges::equal(image.subspan(3 * 65'536 + 4096, 4096), std::span(file).first(4096)));
    EXPECT_EQ(bench.window.statusText, dir.File("in.bin"));
    EXPECT_TRUE(menu.CurrentFileName().empty()) << "opening never names the file to save to";
}

TEST_F(FileMenuTest, FirstSaveAllAsksForANameThenConfirmsBeforeSavingAgain)
{
    const std::string name = dir.File("a.bin");
    dialogs.saveAnswers = {name};

    menu.Save1Click();
    EXPECT_EQ(dialogs.saveShown, 1);
    EXPECT_TRUE(bench.boxes.shown.empty());
    EXPECT_EQ(menu.CurrentFileName(), name);
    EXPECT_EQ(std::filesystem::file_size(name), k8M);

    WriteFile(name, Pattern(10));
    bench.boxes.answer = BoxAnswer::Cancel;
    menu.Save1Click();
    menu.Saveselected1Click();
    EXPECT_EQ(bench.boxes.shown, (std::vector<MessageBoxRequest>{kOverwriteConfirmation, kOverwriteConfirmation}));
    EXPECT_EQ(ReadFile(name), Pattern(10));
    EXPECT_EQ(NewLogLineCount(), 1u);

    bench.boxes.answer = BoxAnswer::Ok;
    menu.Save1Click();
    EXPECT_EQ(std::filesystem::file_size(name), k8M);
    EXPECT_EQ(dialogs.saveShown, 1);
}

TEST_F(FileMenuTest, SaveSelectedAsThenSaveAllReplacesTheFileWithTheWholeChip)
{
    bench.window.TypeArea("0", "0", "0", "0");
    dialogs.saveAnswers = {dir.File("a.bin")};

    menu.Saveselectedas1Click();
    EXPECT_EQ(std::filesystem::file_size(dir.File("a.bin")), 4096u);
    menu.Save1Click();

    EXPECT_EQ(std::filesystem::file_size(dir.File("a.bin")), k8M);
    EXPECT_EQ(bench.boxes.shown.size(), 1u);
    EXPECT_EQ(bench.LogLines().back(), "Save file. The number of saved bytes is 1048576");
}

TEST_F(FileMenuTest, SaveAsReplacesAnExistingFileWithoutAsking)
{
    WriteFile(dir.File("old.bin"), Pattern(3));
    dialogs.saveAnswers = {dir.File("old.bin")};
    menu.Saveas1Click();
    EXPECT_TRUE(bench.boxes.shown.empty());
    EXPECT_EQ(std::filesystem::file_size(dir.File("old.bin")), k8M);
}

TEST_F(FileMenuTest, NameWithoutExtensionIsUsedAsTyped)
{
    dialogs.saveAnswers = {dir.File("dump")};
    menu.Saveas1Click();
    EXPECT_EQ(std::filesystem::file_size(dir.File("dump")), k8M);
    EXPECT_FALSE(std::filesystem::exists(dir.File("dump.bin")));
    EXPECT_EQ(bench.window.statusText, dir.File("dump"));
}

TEST_F(FileMenuTest, ChosenNameStaysCurrentWhenTheSaveFails)
{
    bench.window.TypeArea("0", "?", "0", "0");
    const std::string unwritable = dir.File("missing-folder/a.bin");
    const std::string fine = dir.File("b.bin");
    dialogs.saveAnswers = {unwritable, fine};

    EXPECT_THROW(menu.Saveas1Click(), AppError);
    EXPECT_EQ(menu.CurrentFileName(), unwritable);
    EXPECT_THROW(menu.Saveselectedas1Click(), AppError);  // the fields fail before the file is made
    EXPECT_EQ(menu.CurrentFileName(), fine);
    EXPECT_FALSE(std::filesystem::exists(fine));

    menu.Save1Click();
    EXPECT_EQ(bench.boxes.shown.size(), 1u);
    EXPECT_EQ(std::filesystem::file_size(fine), k8M);
}

TEST_F(FileMenuTest, CancelledSaveDialogKeepsTheCurrentName)
{
    dialogs.saveAnswers = {dir.File("a.bin")};
    menu.Saveas1Click();
    menu.Saveselectedas1Click();  // no answer left: Cancel
    EXPECT_EQ(menu.CurrentFileName(), dir.File("a.bin"));
}

}  // namespace
}  // namespace tarnwick
