#include "image/PictureLookup.h"

#include <system_error>

namespace tarnwick {

std::optional<std::filesystem::path> FindPicture(std::string_view fileName,
                                                 std::span<const std::filesystem::path> folders)
{
    for (const auto& folder : folders) {
        const std::filesystem::path candidate = folder / fileName;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return std::nullopt;
}

std::vector<std::filesystem::path> DefaultPictureFolders()
{
    std::vector<std::filesystem::path> folders{std::filesystem::path()};
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        folders.push_back(executable.parent_path());
    folders.emplace_back(TARNWICK_DATA_DIR);
    return folders;
}

}  // namespace tarnwick
