#include "platform/FileReplacer.h"

#include "platform/AppError.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwick {
namespace {

[[noreturn]] void ThrowCannotCreate(const std::string& name)
{
    throw AppError(FormatWithName(kCannotCreateFile, name));
}

[[noreturn]] void ThrowCannotWrite(const std::string& name, int error)
{
    throw AppError(FormatWithName(kCannotWriteFile, name) + ": " + std::strerror(error));
}

// Returns 0 on success, else the errno of the failed write.
int WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return 0;
}

mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

void WriteInPlace(const std::string& name, std::span<const std::uint8_t> bytes)
{
    const UniqueFd fd(open(name.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (!fd)
        ThrowCannotCreate(name);
    if (const int error = WriteAll(fd.get(), bytes))
        ThrowCannotWrite(name, error);
}

// The file a name stands for: a symbolic link is followed, so the link itself survives.
std::string ResolvedTarget(const std::string& name)
{
    char resolved[PATH_MAX];
    if (realpath(name.c_str(), resolved) != nullptr)
        return resolved;
    return name;
}

void WriteBesideAndRename(const std::string& name, const std::string& target, mode_t mode,
                          std::span<const std::uint8_t> bytes)
{
    const auto slash = target.rfind('/');
    const std::size_t base_at = slash == std::string::npos ? 0 : slash + 1;
    std::string temporary = target.substr(0, base_at) + "." + target.substr(base_at) + ".XXXXXX";

    const UniqueFd fd(mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd)
        ThrowCannotCreate(name);
    int error = fchmod(fd.get(), mode) == 0 ? 0 : errno;
    if (error == 0)
        error = WriteAll(fd.get(), bytes);
    if (error == 0 && fsync(fd.get()) != 0)
        error = errno;
    if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        ThrowCannotWrite(name, error);
    }
}

}  // namespace

void ReplaceFileContents(const std::string& name, std::span<const std::uint8_t> bytes)
{
    if (name.empty())
        ThrowCannotCreate(name);
    const std::string target = ResolvedTarget(name);
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) {
            WriteInPlace(name, bytes);
            return;
        }
        // Replacing by rename would ignore a write-protected file; opening it for writing
        // would not, so refuse it the same way.
        if (access(target.c_str(), W_OK) != 0)
            ThrowCannotCreate(name);
        WriteBesideAndRename(name, target, existing.st_mode & 07777, bytes);
        return;
    }
    WriteBesideAndRename(name, target, NewFileMode(), bytes);
}

}  // namespace tarnwick
