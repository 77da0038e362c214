#include "PrivateXServer.h"

#include <X11/Xlib.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Whether an X client can open the display: the server may name its display
// before it takes clients.
bool Answers(const std::string& display)
{
    ::Display* connection = XOpenDisplay(display.c_str());
    if (connection != nullptr)
        XCloseDisplay(connection);
    return connection != nullptr;
}

} // namespace

PrivateXServer::PrivateXServer()
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const std::string fd = std::to_string(pipeFds[1]);
    char* argv[] = { const_cast<char*>("Xvfb"), const_cast<char*>("-displayfd"),
        const_cast<char*>(fd.c_str()), const_cast<char*>("-nolisten"), const_cast<char*>("tcp"),
        // Without it the server starts over (refusing clients for a while) each
        // time its last client leaves, as the helpers' short connections do; a
        // desktop always has other clients.
        const_cast<char*>("-noreset"), nullptr };
    if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv, environ) != 0)
        pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    // The server writes its display number and a line end.
    std::string number;
    char c = 0;
    while (pid_ > 0 && ::read(pipeFds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(pipeFds[0]);
    // Bounded: 200 tries 20 ms apart.
    for (int attempt = 0; attempt < 200 && c == '\n' && !number.empty(); ++attempt) {
        if (Answers(":" + number)) {
            display_ = ":" + number;
            break;
        }
        ::usleep(20000);
    }
}

PrivateXServer::~PrivateXServer()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}
