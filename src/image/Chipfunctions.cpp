#include "image/Chipfunctions.h"

#include "image/ChipCatalogue.h"
#include "image/FileReading.h"
#include "image/OperatingAreaFields.h"
#include "platform/FileReplacer.h"

#include <algorithm>

namespace tarnwick {
namespace {

constexpr std::uint8_t kErasedByte = 0xFF;

}  // namespace

void Chipfunctions::SelectChip(std::int32_t chipType)
{
    const ChipModel& row = CatalogueRow(chipType);
    log_.SendMsg(msg::kChipSelected, std::string(row.logName));
    state_ = {.ChipType = row.ChipType,
              .ChipSize = row.ChipSize,
              .ChipName = std::string(row.ChipName),
              .ChipPicture = std::string(kChipPicture)};
    std::ranges::fill(image_.Bytes().first(static_cast<std::size_t>(state_.ChipSize)), kErasedByte);
    form_.ShowChipInfo(state_);
}

void Chipfunctions::LoadImageFile(const std::string& name, bool selected)
{
    // Opened first: a missing file is what the operator needs to hear about, whatever the fields say.
    const InputFile file(name);
    const ImageRange target = selected ? RequireInsideImage(ReadOperatingArea(window_))
                                       : ImageRange{0, static_cast<std::size_t>(state_.ChipSize)};
    const std::size_t count = std::min(target.count, static_cast<std::size_t>(file.Size()));
    const std::vector<std::uint8_t> bytes = file.ReadPrefix(count);
    std::ranges::copy(bytes, image_.Bytes().subspan(target.offset).begin());
    window_.SetStatusText(name);
    // What was read, which is `count` unless the file shrank after it was opened.
    log_.SendMsg(msg::kFileLoaded, std::to_string(bytes.size()));
}

void Chipfunctions::SaveImageFile(const std::string& name, bool selected)
{
    const ImageRange source = selected ? RequireInsideImage(ReadOperatingArea(window_))
                                       : ImageRange{0, static_cast<std::size_t>(state_.ChipSize)};
    ReplaceFileContents(name, image_.Bytes().subspan(source.offset, source.count));
    window_.SetStatusText(name);
    log_.SendMsg(msg::kFileSaved, std::to_string(source.count));
}

}  // namespace tarnwick
