#pragma once

#include <filesystem>
#include <string>

namespace tarnwick::test {

// A fresh directory for one test's files, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
    [[nodiscard]] std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

[[nodiscard]] std::string ReadWholeFile(const std::string& name);
void WriteWholeFile(const std::string& name, const std::string& content);

}  // namespace tarnwick::test
