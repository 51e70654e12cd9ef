#pragma once

#include <csignal>
#include <functional>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

// A forked copy of the test process that runs one function and ends with
// _exit(0), so it never returns into the test framework. Used to play a
// second program, or one that is killed in the middle of a job. A child
// still running at the end is killed and reaped.
class ChildProcess
{
public:
    explicit ChildProcess(const std::function<void()> &run) : m_pid(::fork())
    {
        if (m_pid == 0) {
            run();
            ::_exit(0);
        }
    }
    ~ChildProcess()
    {
        kill(SIGKILL);
        wait();
    }
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    void kill(int signal) const
    {
        if (m_pid > 0)
            ::kill(m_pid, signal);
    }
    // Waits for the end; the raw wait status.
    int wait()
    {
        int status = -1;
        if (m_pid > 0 && ::waitpid(m_pid, &status, 0) == m_pid)
            m_pid = -1;
        return status;
    }

private:
    pid_t m_pid;
};

// One byte through a pipe, to hand a turn between the test and its child.
class Baton
{
public:
    Baton()
    {
        if (::pipe(m_fds) != 0)
            m_fds[0] = m_fds[1] = -1;
    }
    ~Baton()
    {
        ::close(m_fds[0]);
        ::close(m_fds[1]);
    }
    Baton(const Baton &) = delete;
    Baton &operator=(const Baton &) = delete;

    void pass() const { [[maybe_unused]] const ssize_t written = ::write(m_fds[1], "", 1); }
    // False when the other side did not pass within 20 seconds: both ends
    // stay open in both processes, so a side that died never shows as the
    // end of the pipe.
    bool await() const
    {
        pollfd readable{m_fds[0], POLLIN, 0};
        char token = 0;
        return ::poll(&readable, 1, 20000) == 1 && ::read(m_fds[0], &token, 1) == 1;
    }

private:
    int m_fds[2] = {-1, -1};
};
