#include "image/FileReading.h"

#include "platform/AppError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace tarnwick {

InputFile::InputFile(const std::string& name) : name_(name), fd_(open(name.c_str(), O_RDONLY | O_CLOEXEC))
{
    struct stat status {};
    // A folder opens on this system but holds no bytes to load.
    if (!fd_ || fstat(fd_.get(), &status) != 0 || S_ISDIR(status.st_mode))
        throw AppError(FormatWithName(kCannotOpenFile, name));
    size_ = status.st_size;
}

std::vector<std::uint8_t> InputFile::ReadPrefix(std::size_t count) const
{
    std::vector<std::uint8_t> bytes(count);
    std::size_t filled = 0;
    while (filled < count) {
        const ssize_t got = pread(fd_.get(), bytes.data() + filled, count - filled, static_cast<off_t>(filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw AppError(FormatWithName(kCannotReadFile, name_) + ": " + std::strerror(errno));
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

}  // namespace tarnwick
