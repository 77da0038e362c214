#pragma once
// Runs a piece of a test as an ordinary user: root writes anywhere, so what the
// program does about read-only files and folders only shows without it.

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace testsupport {

// Runs `body` in a child process that has given up root (user and group 65534)
// and returns the text it answered; "child failed" when the child did not finish.
inline std::string RunUnprivileged(const std::function<std::string()>& body)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return "child failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        const std::string answer = body();
        const bool sent
            = ::write(ends[1], answer.data(), answer.size()) == static_cast<ssize_t>(answer.size());
        ::_exit(sent ? 0 : 3);
    }
    ::close(ends[1]);
    std::string answer;
    char chunk[512];
    for (ssize_t got; child > 0 && (got = ::read(ends[0], chunk, sizeof chunk)) > 0;)
        answer.append(chunk, static_cast<std::size_t>(got));
    ::close(ends[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "child failed";
    return answer;
}

} // namespace testsupport
