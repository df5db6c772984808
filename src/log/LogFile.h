#pragma once

#include "log/LogView.h"

#include <string>

namespace tarnwick {

// Writes the whole log view to `name` as an RTF document, whatever the name's extension,
// replacing any file of that name. Adds no line to the log.
// Throws AppError "Cannot create file %s" (or a write error) and leaves the log unchanged.
void SaveLogFile(const std::string& name, const LogView& view);

}  // namespace tarnwick
