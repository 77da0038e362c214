// Text files: load any bytes, detect the mark and convert with every encoding;
// the 8-bit form must be the bytes up to the first zero byte.
#include "NuvTextFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

// Memory-backed when the system has it: a file rewritten on disk at every run
// would make the disk, not the code, the limit.
std::string ScratchFolder()
{
    return std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
}

std::string ScratchFile()
{
    return ScratchFolder() + "/qelvo-fuzz-text-" + std::to_string(::getpid());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Removed again when the run ends.
    static const struct Scratch {
        std::string path = ScratchFile();
        ~Scratch() { std::remove(path.c_str()); }
    } scratch;
    const std::string& path = scratch.path;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    TNuvTextFile file;
    file.Load(path);
    file.ToANSI(file.GetCharEncode());
    file.ToANSI(nuv::ceUtf8);
    file.ToANSI(nuv::ceUnicode);
    file.ToANSI(nuv::ceUnicodeBigEndian);
    const std::string plain = file.ToANSI(nuv::ceAnsi);
    const auto* bytes = reinterpret_cast<const char*>(data);
    if (plain != std::string(bytes, ::strnlen(bytes, size)))
        std::abort();
    return 0;
}
