#pragma once

#include "FakeBoxes.h"
#include "FakeChipWindow.h"
#include "image/Chipfunctions.h"
#include "image/Formfunctions.h"
#include "log/LogView.h"
#include "log/Sendmsgfunctions.h"
#include "support/FixedClock.h"
#include "support/TempDir.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

namespace tarnwick::test {

inline void WriteFile(const std::string& name, std::span<const std::uint8_t> bytes)
{
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

[[nodiscard]] inline std::vector<std::uint8_t> ReadFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Bytes that differ from their neighbours and from FFh, so a shifted copy shows.
[[nodiscard]] inline std::vector<std::uint8_t> Pattern(std::size_t count, std::uint8_t seed = 0)
{
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 7 + i / 251 + seed) % 251);
    return bytes;
}

// The objects the application owns around the chip image, wired as it wires them, with the
// window, the boxes and the error display replaced by fakes.
struct ChipBench {
    explicit ChipBench(std::vector<std::filesystem::path> pictureFolders = {})
        : form(window, boxes, log, std::move(pictureFolders))
    {
    }

    [[nodiscard]] std::vector<std::string> LogLines() const { return logView.Lines(); }

    FixedClock clock;
    MemoryLogView logView;
    Sendmsgfunctions log{logView, clock};
    RecordingErrorDisplay errors;
    FakeChipWindow window{errors};
    FakeMessageBoxes boxes;
    Formfunctions form;
    Chipfunctions chip{window, log, form};
};

}  // namespace tarnwick::test
