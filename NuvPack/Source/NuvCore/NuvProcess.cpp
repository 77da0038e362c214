#include "NuvProcess.h"

#include <dirent.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <vector>

namespace nuv {

namespace {

    // The kernel keeps at most 15 bytes of a process's name.
    constexpr std::size_t KernelNameLength = 15;

    std::string LastPart(const std::string& path)
    {
        const auto slash = path.rfind('/');
        return slash == std::string::npos ? path : path.substr(slash + 1);
    }

    std::string ReadFirstLine(const std::string& path, char end)
    {
        std::ifstream in(path, std::ios::binary);
        std::string line;
        std::getline(in, line, end);
        return line;
    }

    // The executable's file name of one process, or empty when it is gone.
    std::string ProcessFileName(const std::string& pid)
    {
        const std::string folder = "/proc/" + pid + "/";
        std::string exe(4096, '\0');
        const ssize_t length = readlink((folder + "exe").c_str(), exe.data(), exe.size());
        if (length > 0 && static_cast<std::size_t>(length) < exe.size()) {
            exe.resize(static_cast<std::size_t>(length));
            const std::string deleted = " (deleted)";
            if (exe.size() > deleted.size()
                && exe.compare(exe.size() - deleted.size(), deleted.size(), deleted) == 0)
                exe.resize(exe.size() - deleted.size());
            return LastPart(exe);
        }
        // Not ours to inspect (or a kernel thread): the kernel's name, completed from
        // the command line when the kernel had to cut it.
        const std::string comm = ReadFirstLine(folder + "comm", '\n');
        if (comm.size() == KernelNameLength) {
            const std::string first = LastPart(ReadFirstLine(folder + "cmdline", '\0'));
            if (first.size() > comm.size() && first.compare(0, comm.size(), comm) == 0)
                return first;
        }
        return comm;
    }

} // namespace

std::uint32_t GetProcessID(const std::string& name)
{
    if (name.empty())
        return 0;
    std::vector<std::uint32_t> ids;
    if (DIR* proc = opendir("/proc")) {
        while (const dirent* entry = readdir(proc)) {
            const std::string entryName = entry->d_name;
            if (!entryName.empty() && std::all_of(entryName.begin(), entryName.end(), [](char c) {
                    return c >= '0' && c <= '9';
                }))
                ids.push_back(static_cast<std::uint32_t>(std::stoul(entryName)));
        }
        closedir(proc);
    }
    std::sort(ids.begin(), ids.end());
    for (const std::uint32_t id : ids) {
        if (ProcessFileName(std::to_string(id)) == name)
            return id;
    }
    return 0;
}

bool RegComServer(const std::string& path, bool reg)
{
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        return false;
    void* entry = dlsym(library, reg ? "DllRegisterServer" : "DllUnregisterServer");
    if (entry != nullptr) {
        using EntryPoint = long (*)();
        reinterpret_cast<EntryPoint>(entry)();
    }
    dlclose(library);
    return entry != nullptr;
}

} // namespace nuv
