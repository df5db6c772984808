#include "ChipBench.h"

#include "platform/AppError.h"
#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwick {
namespace {

using test::ChipBench;
using test::Pattern;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

constexpr std::size_t k8M = 1'048'576;
constexpr std::size_t k16M = 2'097'152;

std::string Loaded(std::size_t count) { return "Open file. The number of downloaded bytes is " + std::to_string(count); }
std::string Saved(std::size_t count) { return "Save file. The number of saved bytes is " + std::to_string(count); }

class ImageFileTest : public ::testing::Test {
protected:
    // Selects a chip and forgets its log lines, so each test sees only its own.
    void Select(std::int32_t chipType)
    {
        bench.chip.SelectChip(chipType);
        linesBefore = bench.LogLines().size();
    }

    [[nodiscard]] std::vector<std::string> NewLogLines() const
    {
        const auto lines = bench.LogLines();
        return {lines.begin() + static_cast<std::ptrdiff_t>(linesBefore), lines.end()};
    }

    // Runs a command that must fail, and returns its error text.
    template <typename Command>
    [[nodiscard]] std::string ErrorOf(Command&& command)
    {
        try {
            command();
        } catch (const AppError& error) {
            return error.what();
        }
        return "(no error)";
    }

    TempDir dir;
    ChipBench bench;
    std::span<std::uint8_t> image = bench.chip.Image().Bytes();
    std::size_t linesBefore = 0;
};

TEST_F(ImageFileTest, OpenAllLoadsAtMostTheChipAndLeavesTheRest)
{
    struct Case {
        std::size_t fileSize;
        std::size_t loaded;
    };
    for (const auto& [fileSize, loaded] : {Case{3'000'000, k16M}, Case{100, 100}, Case{0, 0}}) {
        SCOPED_TRACE(fileSize);
        Select(2);
        const std::string name = dir.File("in.bin");
        const auto file = Pattern(fileSize, 3);
        WriteFile(name, file);

        bench.chip.LoadImageFile(name, false);

        EXPECT_TRUE(std::ranges::equal(image.first(loaded), std::span(file).first(loaded)));
        EXPECT_TRUE(std::ranges::all_of(image.subspan(loaded, k16M - loaded), [](auto b) { return b == 0xFF; }));
        EXPECT_TRUE(std::ranges::all_of(image.subspan(k16M), [](auto b) { return b == 0x00; }));
        EXPECT_EQ(NewLogLines(), std::vector<std::string>{Loaded(loaded)});
        EXPECT_EQ(bench.window.statusText, name);
    }
}

TEST_F(ImageFileTest, AreaAtBlockTwoLoadsAndSavesExactlyThatBlock)
{
    Select(1);
    bench.window.TypeArea("2", "0", "2", "15");
    const auto file = Pattern(1'000'000, 9);
    WriteFile(dir.File("big.bin"), file);

    bench.chip.LoadImageFile(dir.File("big.bin"), true);

    EXPECT_TRUE(std::ranges::equal(image.subspan(131'072, 65'536), std::span(file).first(65'536)));
    EXPECT_EQ(image[131'071], 0xFF);
    EXPECT_EQ(image[196'608], 0xFF);

    bench.chip.SaveImageFile(dir.File("block2.bin"), true);

    EXPECT_EQ(ReadFile(dir.File("block2.bin")), std::vector(file.begin(), file.begin() + 65'536));
    EXPECT_EQ(NewLogLines(), (std::vector<std::string>{Loaded(65'536), Saved(65'536)}));
    EXPECT_EQ(bench.window.statusText, dir.File("block2.bin"));
}

TEST_F(ImageFileTest, SaveAllWritesTheWholeChip)
{
    Select(1);
    bench.chip.SaveImageFile(dir.File("all.bin"), false);
    EXPECT_EQ(ReadFile(dir.File("all.bin")), std::vector<std::uint8_t>(k8M, 0xFF));
    EXPECT_EQ(NewLogLines(), std::vector<std::string>{Saved(k8M)});
}

TEST_F(ImageFileTest, WholeChipRoundTripRestoresTheImage)
{
    Select(3);
    const auto contents = Pattern(4'194'304, 1);
    std::ranges::copy(contents, image.begin());
    bench.chip.SaveImageFile(dir.File("chip.bin"), false);
    Select(3);

    bench.chip.LoadImageFile(dir.File("chip.bin"), false);

    EXPECT_TRUE(std::ranges::equal(image.first(contents.size()), contents));
}

TEST_F(ImageFileTest, WithoutAChipNothingIsLoadedAndAnEmptyFileIsSaved)
{
    WriteFile(dir.File("in.bin"), Pattern(100));
    bench.chip.LoadImageFile(dir.File("in.bin"), false);
    bench.chip.SaveImageFile(dir.File("out.bin"), false);

    EXPECT_TRUE(std::ranges::all_of(image, [](auto b) { return b == 0x00; }));
    EXPECT_TRUE(std::filesystem::exists(dir.File("out.bin")));
    EXPECT_EQ(std::filesystem::file_size(dir.File("out.bin")), 0u);
    EXPECT_EQ(NewLogLines(), (std::vector<std::string>{Loaded(0), Saved(0)}));
}

TEST_F(ImageFileTest, AreaOfLengthZeroLoadsAndSavesNothing)
{
    Select(1);
    bench.window.TypeArea("1", "2", "1", "1");  // end sector just before the start sector
    WriteFile(dir.File("in.bin"), Pattern(10'000));
    WriteFile(dir.File("out.bin"), Pattern(10));

    bench.chip.LoadImageFile(dir.File("in.bin"), true);
    bench.chip.SaveImageFile(dir.File("out.bin"), true);

    EXPECT_TRUE(std::ranges::all_of(image.first(k8M), [](auto b) { return b == 0xFF; }));
    EXPECT_EQ(std::filesystem::file_size(dir.File("out.bin")), 0u);
    EXPECT_EQ(NewLogLines(), (std::vector<std::string>{Loaded(0), Saved(0)}));
}

TEST_F(ImageFileTest, AreaPastTheChipButInsideTheImageIsUsedAsItStands)
{
    Select(1);
    bench.window.TypeArea("20", "0", "20", "0");
    const auto file = Pattern(4096, 5);
    WriteFile(dir.File("in.bin"), file);

    bench.chip.LoadImageFile(dir.File("in.bin"), true);

    EXPECT_TRUE(std::ranges::equal(image.subspan(20 * 65'536, 4096), file));
    EXPECT_EQ(NewLogLines(), std::vector<std::string>{Loaded(4096)});
}

TEST_F(ImageFileTest, FileThatCannotBeOpenedChangesNothing)
{
    Select(1);
    bench.window.TypeArea("abc", "0", "0", "0");  // the missing file is still what is reported
    std::vector<std::string> unreadable{dir.File("missing.bin"), dir.Path().string()};
    if (geteuid() != 0) {
        WriteFile(dir.File("locked.bin"), Pattern(10));
        chmod(dir.File("locked.bin").c_str(), 0);
        unreadable.push_back(dir.File("locked.bin"));
    }
    for (const auto& name : unreadable) {
        for (const bool selected : {false, true}) {
            EXPECT_EQ(ErrorOf([&] { bench.chip.LoadImageFile(name, selected); }), "Cannot open file " + name);
        }
    }
    EXPECT_TRUE(std::ranges::all_of(image.first(k8M), [](auto b) { return b == 0xFF; }));
    EXPECT_TRUE(bench.window.statusText.empty());
    EXPECT_TRUE(NewLogLines().empty());
}

TEST_F(ImageFileTest, AreaFieldThatIsNoNumberStopsLoadAndSave)
{
    Select(1);
    bench.window.TypeArea("0", "x", "0", "0");
    WriteFile(dir.File("in.bin"), Pattern(100));

    EXPECT_EQ(ErrorOf([&] { bench.chip.LoadImageFile(dir.File("in.bin"), true); }), "'x' is not a valid integer value");
    EXPECT_EQ(ErrorOf([&] { bench.chip.SaveImageFile(dir.File("out.bin"), true); }), "'x' is not a valid integer value");

    EXPECT_EQ(image[0], 0xFF);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.bin")));
    EXPECT_TRUE(bench.window.statusText.empty());
    EXPECT_TRUE(NewLogLines().empty());
}

TEST_F(ImageFileTest, AreaOutsideTheImageIsRefusedWithNothingTouched)
{
    struct Case {
        std::array<std::string, 4> fields;
        std::string message;
    };
    const Case cases[] = {
        {{"-1", "0", "0", "0"}, "The operating area FFFF0000..00000FFF lies outside the chip image 00000000..007FFFFF"},
        {{"0", "0", "128", "0"}, "The operating area 00000000..00800FFF lies outside the chip image 00000000..007FFFFF"},
        {{"2", "0", "1", "0"}, "The operating area 00020000..00010FFF ends before it starts"},
    };
    Select(4);
    const auto file = Pattern(100'000);
    WriteFile(dir.File("in.bin"), file);
    WriteFile(dir.File("previous.bin"), file);

    for (const auto& [fields, message] : cases) {
        SCOPED_TRACE(message);
        bench.window.TypeArea(fields[0], fields[1], fields[2], fields[3]);
        EXPECT_EQ(ErrorOf([&] { bench.chip.LoadImageFile(dir.File("in.bin"), true); }), message);
        EXPECT_EQ(ErrorOf([&] { bench.chip.SaveImageFile(dir.File("previous.bin"), true); }), message);
        EXPECT_EQ(ErrorOf([&] { bench.chip.SaveImageFile(dir.File("new.bin"), true); }), message);
    }
    EXPECT_TRUE(std::ranges::all_of(image, [](auto b) { return b == 0xFF; }));
    EXPECT_EQ(ReadFile(dir.File("previous.bin")), file);
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.bin")));
    EXPECT_TRUE(bench.window.statusText.empty());
    EXPECT_TRUE(NewLogLines().empty());
}

TEST_F(ImageFileTest, FileThatCannotBeCreatedIsReportedAndNothingLogged)
{
    Select(1);
    const std::string name = dir.File("no-such-folder/out.bin");
    EXPECT_EQ(ErrorOf([&] { bench.chip.SaveImageFile(name, false); }), "Cannot create file " + name);
    EXPECT_TRUE(bench.window.statusText.empty());
    EXPECT_TRUE(NewLogLines().empty());
}

TEST_F(ImageFileTest, SaveToAFullDeviceIsAnErrorWithNoByteCount)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    Select(1);
    const std::string error = ErrorOf([&] { bench.chip.SaveImageFile("/dev/full", false); });
    EXPECT_TRUE(error.starts_with("Cannot write file /dev/full")) << error;
    EXPECT_TRUE(bench.window.statusText.empty());
    EXPECT_TRUE(NewLogLines().empty());
}

TEST_F(ImageFileTest, SaveThatFailsHalfWayKeepsThePreviousFile)
{
    Select(1);
    const std::string name = dir.File("keep.bin");
    const auto previous = Pattern(1000);
    WriteFile(name, previous);

    std::string error;
    {
        const test::FileSizeLimit limit(64 * 1024);
        error = ErrorOf([&] { bench.chip.SaveImageFile(name, false); });
    }

    EXPECT_TRUE(error.starts_with("Cannot write file " + name)) << error;
    EXPECT_EQ(ReadFile(name), previous);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "a leftover beside it";
    EXPECT_TRUE(bench.window.statusText.empty());
    EXPECT_TRUE(NewLogLines().empty());
}

}  // namespace
}  // namespace tarnwick
