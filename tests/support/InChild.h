#pragma once
// Runs a piece of a test in a forked child: a call that hangs is killed
// after a bound instead of holding the whole test binary, and the child
// may give up root for the user nobody, for whom a file of mode 000
// cannot be read.

#include <chrono>
#include <csignal>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testenv {

enum class RunAs { Self, Nobody };

// What the child returned, or "still running after N s".
inline std::string inChild(const std::function<std::string()> &what, RunAs as = RunAs::Self,
                           std::chrono::seconds bound = std::chrono::seconds(10))
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "no pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        if (as == RunAs::Nobody && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        const std::string out = what();
        const ssize_t n = ::write(fds[1], out.data(), out.size());
        ::_exit(n == ssize_t(out.size()) ? 0 : 4);
    }
    ::close(fds[1]);
    const auto deadline = std::chrono::steady_clock::now() + bound;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            ::close(fds[0]);
            return "still running after " + std::to_string(bound.count()) + " s";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::string out;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, size_t(n));
    ::close(fds[0]);
    return out;
}

} // namespace testenv
