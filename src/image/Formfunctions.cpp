#include "image/Formfunctions.h"

#include "image/ChipCatalogue.h"
#include "image/MakerLinks.h"
#include "image/PictureLookup.h"

#include <array>

namespace tarnwick {
namespace {

[[nodiscard]] MessageBoxRequest MissingPictureBox()
{
    return {.owner = BoxOwner::None,
            .caption = "Error",
            .text = "Невозможно отобразить схему подключения,\n"
                    "(не найден файл картинки). Или подключайте\n"
                    "по даташиту, или скачайте полную версию\n"
                    "программы с сайта " +
                    std::string(kMakerLinks.webSite),
            .buttons = BoxButtons::Ok,
            .icon = BoxIcon::None};
}

// The order the buttons are switched in, so a window that shows each change sees one order.
constexpr std::array kChipButtons{ChipButton::Button1, ChipButton::Button2, ChipButton::Button5,
                                  ChipButton::Button6};

}  // namespace

void Formfunctions::ShowChipInfo(const ChipState& chip)
{
    ShowPicture(chip);
    window_.SetChipName(chip.ChipName);
    // Each assignment that changes a field runs its change handler, which updates Edit6/Edit7.
    window_.SetAreaFieldText(AreaField::Edit2, "0");
    window_.SetAreaFieldText(AreaField::Edit3, "0");
    window_.SetAreaFieldText(AreaField::Edit4, std::to_string(LargestBlockNumber(chip.ChipSize)));
    window_.SetAreaFieldText(AreaField::Edit5, std::to_string(kLastSectorOfBlock));
    log_.SendMsg(msg::kUnitsExplained);
    log_.SendMsg(msg::kMaxBlock, window_.AreaFieldText(AreaField::Edit4));
}

void Formfunctions::EnableChipButtons() { SetChipButtons(true); }

void Formfunctions::DisableChipButtons() { SetChipButtons(false); }

void Formfunctions::ShowPicture(const ChipState& chip)
{
    if (const auto picture = FindPicture(chip.ChipPicture, pictureFolders_)) {
        window_.ShowPicture(*picture);
        return;
    }
    boxes_.Show(MissingPictureBox());
    window_.ClearPicture();
}

void Formfunctions::SetChipButtons(bool enabled)
{
    for (const ChipButton button : kChipButtons)
        window_.SetButtonEnabled(button, enabled);
}

}  // namespace tarnwick
