#include "NuvProcess.h"

#include <dirent.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace nuv {

namespace {

    std::string LastPart(const std::string& path)
    {
        const auto slash = path.rfind('/');
        return slash == std::string::npos ? path : path.substr(slash + 1);
    }

    // The file name of one process's executable; empty when it is gone or its
    // executable cannot be read (another user's process, a kernel thread). The
    // kernel's short name and the command line are never looked at: any
    // process can set both to whatever it likes.
    std::string ProcessFileName(const std::string& pid)
    {
        std::string exe(4096, '\0');
        const ssize_t length = readlink(("/proc/" + pid + "/exe").c_str(), exe.data(), exe.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= exe.size())
            return {};
        exe.resize(static_cast<std::size_t>(length));
        const std::string deleted = " (deleted)"; // replaced on disk while it runs
        if (exe.size() > deleted.size()
            && exe.compare(exe.size() - deleted.size(), deleted.size(), deleted) == 0)
            exe.resize(exe.size() - deleted.size());
        return LastPart(exe);
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
