#pragma once
// A disk that fills up, put in place through the file module's write calls:
// no inode for a new file, room for only so many more bytes, a reservation
// that fails. Header-only; the test links the file module itself.

#include "NuvFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace testsupport {

struct FullDisk {
    bool noInodes = false; // a new file cannot be made
    std::size_t room = SIZE_MAX; // bytes that can still be written
    int error = ENOSPC; // what the two above fail with
    int reserveError = 0; // what a reservation fails with, 0 for none

    // The calls; they refer to this object, which must outlive them.
    nuv::FileWriteCalls Calls()
    {
        nuv::FileWriteCalls calls;
        calls.open = [this](const char* path, int flags, mode_t mode) {
            if (noInodes && (flags & O_CREAT) != 0) {
                errno = error;
                return -1;
            }
            return ::open(path, flags, mode);
        };
        calls.write = [this](int fd, const void* data, std::size_t size) -> ssize_t {
            if (room == 0) {
                errno = error;
                return -1;
            }
            const ssize_t wrote = ::write(fd, data, std::min(size, room));
            if (wrote > 0)
                room -= static_cast<std::size_t>(wrote);
            return wrote;
        };
        calls.reserve = [this](int fd, off_t size) {
            if (reserveError != 0) {
                errno = reserveError;
                return -1;
            }
            return ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size);
        };
        return calls;
    }
};

// Puts write calls in place for its lifetime.
class InstalledWriteCalls {
public:
    explicit InstalledWriteCalls(nuv::FileWriteCalls calls)
        : previous_(nuv::InstallFileWriteCalls(std::move(calls)))
    {
    }
    ~InstalledWriteCalls() { nuv::InstallFileWriteCalls(previous_); }
    InstalledWriteCalls(const InstalledWriteCalls&) = delete;
    InstalledWriteCalls& operator=(const InstalledWriteCalls&) = delete;

private:
    nuv::FileWriteCalls previous_;
};

} // namespace testsupport
