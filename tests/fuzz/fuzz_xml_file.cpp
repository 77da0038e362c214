// XML document files: load any bytes; a file that loads must save, load again
// and save to the same bytes, and a damaged one must raise the parse error
// without touching the file.
#include "NuvXmlFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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
    return ScratchFolder() + "/qelvo-fuzz-xml-" + std::to_string(::getpid()) + ".xml";
}

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
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
    const std::string input(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << input;
    }
    TNuvXmlFile xml;
    xml.FileName = path;
    try {
        xml.Load();
    } catch (const EDOMParseError&) {
        if (Read(path) != input)
            std::abort(); // a damaged file must stay as it was
        return 0;
    }
    try {
        xml.Save();
    } catch (const EWriteError&) {
        return 0; // a character the declared encoding lacks
    }
    const std::string saved = Read(path);
    TNuvXmlFile again;
    again.FileName = path;
    again.Load(); // what was saved must load: a parse error here is a finding
    again.Save();
    if (Read(path) != saved)
        std::abort();
    return 0;
}
