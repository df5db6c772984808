#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tarnwick {

// The first of `folders` that holds a file `fileName`, as a path to that file. An empty
// folder stands for the working directory at the moment of the look-up.
[[nodiscard]] std::optional<std::filesystem::path> FindPicture(std::string_view fileName,
                                                               std::span<const std::filesystem::path> folders);

// Where an installed program finds its picture: the working directory first (an operator may
// put a picture of their own there), then the folder of the executable (a build run in
// place), then the installed data folder.
[[nodiscard]] std::vector<std::filesystem::path> DefaultPictureFolders();

}  // namespace tarnwick
