#pragma once
// A stream that takes failAfter bytes and then refuses every write, as a full
// disk does, for the paths that must end in EWriteError.

#include "BsStreams.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace testsupport {

class FailingStream : public TStream {
public:
    explicit FailingStream(std::int64_t failAfter = 0)
        : failAfter_(failAfter)
    {
    }

    std::int64_t Read(void*, std::int64_t) override { return 0; }
    std::int64_t Write(const void* buffer, std::int64_t count) override
    {
        const std::int64_t room
            = std::max<std::int64_t>(0, failAfter_ - static_cast<std::int64_t>(bytes_.size()));
        const std::int64_t taken = std::min(room, count);
        bytes_.append(static_cast<const char*>(buffer), static_cast<std::size_t>(taken));
        return taken;
    }
    std::int64_t Seek(std::int64_t, TSeekOrigin) override { return static_cast<std::int64_t>(bytes_.size()); }

    const std::string& Written() const { return bytes_; }

private:
    std::int64_t failAfter_;
    std::string bytes_;
};

} // namespace testsupport
