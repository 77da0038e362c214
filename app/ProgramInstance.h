#pragma once
// One program per user and data folder. The first start takes a lock in the
// user's runtime folder, named after its data folder, and listens on a local
// socket beside it. A second start with the same data folder finds the lock
// taken, asks the first through the socket to show its main window, and ends
// without touching the files. The lock is the kernel's (flock): it goes with
// the process that holds it, so a crashed run never blocks the next start.
// Where no runtime folder can be had, every start runs as the first.

#include <functional>
#include <memory>
#include <string>

class QSocketNotifier;

class TProgramInstance {
public:
    // Takes the lock when it is free and starts listening. runtimeFolder:
    // where the lock and the socket live (ProgramRuntimeFolder by default).
    explicit TProgramInstance(const std::string& dataFolder, std::string runtimeFolder = {});
    ~TProgramInstance();
    TProgramInstance(const TProgramInstance&) = delete;
    TProgramInstance& operator=(const TProgramInstance&) = delete;

    // Whether this is the one program for the data folder.
    bool First() const { return !locked_; }

    // For a second start: asks the first to show its main window, trying for
    // up to a second while the first is still starting. False when it could
    // not be reached (it shows its window by itself when it is done starting).
    bool AskFirstToShow() const;

    // For the first: from now on each request of a later start calls onShow
    // on the user-interface thread. Needs the application object.
    void Serve(std::function<void()> onShow);

    // The socket's name, for tests.
    const std::string& SocketPath() const { return socketPath_; }

private:
    void Accept();

    std::string lockPath_;
    std::string socketPath_;
    int lockFd_ = -1;
    bool locked_ = false; // another process holds the lock
    int listenFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onShow_;
};

// The user's runtime folder, ending in "/": $XDG_RUNTIME_DIR when it is set
// and absolute, else /tmp/qelvo-<uid>/, made for the user alone when missing.
// Empty when neither is a folder of the user's own that others cannot enter.
std::string ProgramRuntimeFolder();
