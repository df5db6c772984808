#pragma once

#include <csignal>
#include <sys/resource.h>

namespace tarnwick::test {

// Holds the process's file-size limit low while it lives, with the signal that would
// otherwise end the process ignored, so a write past the limit fails with EFBIG: a disk
// that fills up half way through a save, without a disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previousLimit_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, previousLimit_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previousLimit_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previousLimit_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace tarnwick::test
