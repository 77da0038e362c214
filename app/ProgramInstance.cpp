#include "ProgramInstance.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A short stable name for a folder: FNV-1a of its bytes, in hex.
std::string FolderKey(const std::string& folder)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : folder) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// A folder of this user's own that nobody else can enter or write.
bool PrivateFolder(const std::string& folder)
{
    struct stat info { };
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid()
        && (info.st_mode & 077) == 0;
}

bool FillAddress(const std::string& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

} // namespace

std::string ProgramRuntimeFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && PrivateFolder(runtime)) {
        std::string folder = runtime;
        return folder.back() == '/' ? folder : folder + '/';
    }
    const std::string fallback = "/tmp/qelvo-" + std::to_string(::getuid());
    ::mkdir(fallback.c_str(), 0700);
    return PrivateFolder(fallback) ? fallback + '/' : std::string();
}

TProgramInstance::TProgramInstance(const std::string& dataFolder, std::string runtimeFolder)
{
    if (runtimeFolder.empty())
        runtimeFolder = ProgramRuntimeFolder();
    if (runtimeFolder.empty())
        return;
    if (runtimeFolder.back() != '/')
        runtimeFolder += '/';
    const std::string stem = runtimeFolder + "qelvo-" + FolderKey(dataFolder);
    lockPath_ = stem + ".lock";
    socketPath_ = stem + ".socket";

    lockFd_ = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFd_ < 0)
        return;
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        locked_ = errno == EWOULDBLOCK;
        ::close(lockFd_);
        lockFd_ = -1;
        return;
    }
    // The lock is ours, so a socket file left here is a crashed run's.
    sockaddr_un address;
    if (!FillAddress(socketPath_, address))
        return;
    ::unlink(socketPath_.c_str());
    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listenFd_ >= 0
        && (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
            || ::listen(listenFd_, 8) != 0)) {
        ::close(listenFd_);
        listenFd_ = -1;
    }
}

TProgramInstance::~TProgramInstance()
{
    notifier_.reset();
    if (listenFd_ >= 0) {
        ::close(listenFd_);
        ::unlink(socketPath_.c_str());
    }
    if (lockFd_ >= 0)
        ::close(lockFd_); // the lock goes with it; the file stays for the next start
}

bool TProgramInstance::AskFirstToShow() const
{
    sockaddr_un address;
    if (!locked_ || !FillAddress(socketPath_, address))
        return false;
    // The first may not listen yet while it starts: 20 tries 50 ms apart.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (connected) {
            // Any connection asks for the window; the word is for a person reading along.
            const bool sent = ::send(fd, "show\n", 5, MSG_NOSIGNAL) == 5;
            ::close(fd);
            return sent;
        }
        ::close(fd);
        ::usleep(50000);
    }
    return false;
}

void TProgramInstance::Serve(std::function<void()> onShow)
{
    onShow_ = std::move(onShow);
    if (listenFd_ < 0 || notifier_)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(listenFd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { Accept(); });
}

void TProgramInstance::Accept()
{
    bool asked = false;
    for (int fd; (fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
        ::close(fd);
        asked = true;
    }
    if (asked && onShow_)
        onShow_();
}
