#include "image/ChipCatalogue.h"

#include "ChipBench.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarnwick {
namespace {

using test::ChipBench;
using test::TempDir;

const std::string kUnitsLine = "1 sector = 4 kB, 1 block = 64 kB. Each 1 block = 16 sectors [0..15].";

[[nodiscard]] bool AllEqual(std::span<const std::uint8_t> bytes, std::uint8_t value)
{
    return std::ranges::all_of(bytes, [value](std::uint8_t b) { return b == value; });
}

class ChipSelectionTest : public ::testing::Test {
protected:
    void PutPicture() { std::ofstream(picture) << "jpeg"; }

    TempDir dir;
    std::filesystem::path picture = dir.Path() / "W25Qxx.jpg";
    ChipBench bench{{dir.Path()}};
    std::span<std::uint8_t> image = bench.chip.Image().Bytes();
};

struct SelectionCase {
    std::int32_t chipType;
    std::string name;
    std::string logName;
    std::string endBlock;
    std::string endAddress;
    std::size_t size;
};

const SelectionCase kSelections[] = {
    {1, "8M-BIT", "W25Q08.", "15", "000FFFFF", 1'048'576},
    {2, "16M-BIT", "W25Q16.", "31", "001FFFFF", 2'097'152},
    {3, "32M-BIT", "W25Q32.", "63", "003FFFFF", 4'194'304},
    {4, "64M-BIT", "W25Q64.", "127", "007FFFFF", 8'388'608},
};

TEST_F(ChipSelectionTest, EachChipFillsTheWindowErasesItsImageAndLogsThreeLines)
{
    PutPicture();
    for (const auto& c : kSelections) {
        SCOPED_TRACE(c.name);
        ChipBench fresh{{dir.Path()}};
        const auto bytes = fresh.chip.Image().Bytes();

        fresh.chip.SelectChip(c.chipType);

        EXPECT_EQ(fresh.window.chipName, c.name);
        EXPECT_EQ(fresh.window.areaFields, (std::array<std::string, 4>{"0", "0", c.endBlock, "15"}));
        EXPECT_EQ(fresh.window.Edit6(), "00000000");
        EXPECT_EQ(fresh.window.Edit7(), c.endAddress);
        EXPECT_EQ(fresh.window.picture, picture);
        EXPECT_TRUE(AllEqual(bytes.first(c.size), 0xFF));
        EXPECT_TRUE(AllEqual(bytes.subspan(c.size), 0x00));
        EXPECT_EQ(fresh.LogLines(), (std::vector<std::string>{"The selected chip is " + c.logName, kUnitsLine,
                                                             "Max block number for selected chip = " + c.endBlock}));
        EXPECT_EQ(fresh.chip.State().ChipType, c.chipType);
        EXPECT_EQ(fresh.chip.State().ChipSize, static_cast<std::int32_t>(c.size));
        EXPECT_EQ(fresh.chip.State().ChipName, c.name);
        EXPECT_EQ(fresh.chip.State().ChipPicture, "W25Qxx.jpg");
        EXPECT_TRUE(fresh.boxes.shown.empty());
        EXPECT_TRUE(fresh.errors.errors.empty());
    }
}

TEST_F(ChipSelectionTest, NothingIsSelectedAtStart)
{
    EXPECT_EQ(bench.chip.State().ChipType, 0);
    EXPECT_EQ(bench.chip.State().ChipSize, 0);
    EXPECT_TRUE(bench.chip.State().ChipName.empty());
    EXPECT_TRUE(AllEqual(image, 0x00));
}

TEST_F(ChipSelectionTest, SelectingTheSameChipAgainErasesWhatWasLoaded)
{
    bench.chip.SelectChip(1);
    std::ranges::fill(image.first(1'048'576), 0x5A);
    bench.chip.SelectChip(1);
    EXPECT_TRUE(AllEqual(image.first(1'048'576), 0xFF));
}

TEST_F(ChipSelectionTest, SmallerChipKeepsTheBytesAboveIt)
{
    bench.chip.SelectChip(4);
    const auto pattern = test::Pattern(image.size());
    std::ranges::copy(pattern, image.begin());

    bench.chip.SelectChip(1);

    EXPECT_TRUE(AllEqual(image.first(1'048'576), 0xFF));
    EXPECT_TRUE(std::ranges::equal(image.subspan(1'048'576), std::span(pattern).subspan(1'048'576)));
}

TEST_F(ChipSelectionTest, NewSelectionPutsBackTheWholeChipAsArea)
{
    bench.chip.SelectChip(3);
    bench.window.TypeArea("2", "3", "4", "5");
    bench.chip.SelectChip(3);
    EXPECT_EQ(bench.window.areaFields, (std::array<std::string, 4>{"0", "0", "63", "15"}));
    EXPECT_EQ(bench.window.Edit6(), "00000000");
    EXPECT_EQ(bench.window.Edit7(), "003FFFFF");
}

TEST_F(ChipSelectionTest, MissingPictureShowsTheBoxThenClearsThePicture)
{
    PutPicture();
    bench.chip.SelectChip(1);
    std::filesystem::remove(picture);

    bool pictureStillShown = false;
    std::string nameWhileShown;
    bench.boxes.whileShown = [&] {
        pictureStillShown = bench.window.picture.has_value();
        nameWhileShown = bench.window.chipName;
    };
    bench.chip.SelectChip(2);

    ASSERT_EQ(bench.boxes.shown.size(), 1u);
    EXPECT_EQ(bench.boxes.shown[0], (MessageBoxRequest{.owner = BoxOwner::None,
                                                       .caption = "Error",
                                                       .text = "Невозможно отобразить схему подключения,\n"
                                                               "(не найден файл картинки). Или подключайте\n"
                                                               "по даташиту, или скачайте полную версию\n"
                                                               "программы с сайта http://www.velquin.example/",
                                                       .buttons = BoxButtons::Ok,
                                                       .icon = BoxIcon::None}));
    // The box comes before the picture is cleared and before the fields change.
    EXPECT_TRUE(pictureStillShown);
    EXPECT_EQ(nameWhileShown, "8M-BIT");
    EXPECT_FALSE(bench.window.picture);
    // The selection itself completes.
    EXPECT_EQ(bench.window.chipName, "16M-BIT");
    EXPECT_EQ(bench.window.Edit7(), "001FFFFF");
    EXPECT_EQ(bench.LogLines().size(), 6u);
}

TEST_F(ChipSelectionTest, WrongTextInASectorFieldIsShownAndTheSelectionGoesOn)
{
    bench.window.SetAreaFieldText(AreaField::Edit3, "abc");
    bench.window.SetAreaFieldText(AreaField::Edit5, "9x");
    ASSERT_TRUE(bench.errors.errors.empty());  // each pair is incomplete while typed

    bench.chip.SelectChip(1);

    EXPECT_EQ(bench.errors.errors, (std::vector<std::string>{"'abc' is not a valid integer value",
                                                            "'9x' is not a valid integer value"}));
    EXPECT_EQ(bench.window.areaFields, (std::array<std::string, 4>{"0", "0", "15", "15"}));
    EXPECT_EQ(bench.window.Edit6(), "00000000");
    EXPECT_EQ(bench.window.Edit7(), "000FFFFF");
    EXPECT_EQ(bench.LogLines().back(), "Max block number for selected chip = 15");
}

TEST(ChipButtons, SwitchTheFourButtonsInOrder)
{
    ChipBench bench;
    bench.form.EnableChipButtons();
    bench.form.DisableChipButtons();
    using enum ChipButton;
    EXPECT_EQ(bench.window.buttonChanges,
              (std::vector<std::pair<ChipButton, bool>>{{Button1, true}, {Button2, true}, {Button5, true},
                                                        {Button6, true}, {Button1, false}, {Button2, false},
                                                        {Button5, false}, {Button6, false}}));
    EXPECT_TRUE(bench.LogLines().empty());
}

}  // namespace
}  // namespace tarnwick
