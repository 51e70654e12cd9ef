#include "ChildProcess.h"

#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

ChildProcess::ChildProcess(const std::function<void()> &run)
{
    m_pid = ::fork();
    if (m_pid == 0) {
        run();
        ::_exit(0);
    }
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        wait();
    }
}

void ChildProcess::kill(int signal) const
{
    if (m_pid > 0)
        ::kill(m_pid, signal);
}

int ChildProcess::wait()
{
    int status = -1;
    if (m_pid > 0 && ::waitpid(m_pid, &status, 0) == m_pid)
        m_pid = -1;
    return status;
}

Baton::Baton()
{
    if (::pipe(m_fds) != 0)
        m_fds[0] = m_fds[1] = -1;
}

Baton::~Baton()
{
    for (int fd : m_fds) {
        if (fd >= 0)
            ::close(fd);
    }
}

void Baton::pass() const
{
    const char token = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_fds[1], &token, 1);
}

bool Baton::await() const
{
    // Both ends stay open in both processes, so a side that died never
    // shows as the end of the pipe: give up after a while instead.
    pollfd readable{m_fds[0], POLLIN, 0};
    if (::poll(&readable, 1, 20000) != 1)
        return false;
    char token = 0;
    return ::read(m_fds[0], &token, 1) == 1;
}
