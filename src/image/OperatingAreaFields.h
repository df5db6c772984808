#pragma once

#include "image/ChipWindow.h"
#include "image/OperatingArea.h"

namespace tarnwick {

// The area as the four fields name it now: Edit2, Edit3, Edit4, Edit5 are converted in this
// order and the first that is no number throws AppError (the later ones are not read).
[[nodiscard]] OperatingArea ReadOperatingArea(const ChipWindow& window);

// The change handlers of the area fields. Each updates its address display when both fields
// of its pair hold text; with either field empty the display keeps what it showed, and a text
// that is no number throws AppError with the display unchanged.
void Edit2Change(ChipWindow& window);  // Edit2, Edit3 -> Edit6
void Edit4Change(ChipWindow& window);  // Edit4, Edit5 -> Edit7

}  // namespace tarnwick
