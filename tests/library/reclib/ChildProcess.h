#pragma once

#include <functional>
#include <sys/types.h>

// A forked copy of the test process that runs one function and ends with
// _exit(0), so it never returns into the test framework. Used to play a
// second program, or one that is killed in the middle of a job.
class ChildProcess
{
public:
    explicit ChildProcess(const std::function<void()> &run);
    // Kills and reaps a child that is still running.
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    void kill(int signal) const;
    // Waits for the end; the raw wait status.
    int wait();

private:
    pid_t m_pid = -1;
};

// One byte through a pipe, to hand a turn between the test and its child.
class Baton
{
public:
    Baton();
    ~Baton();
    Baton(const Baton &) = delete;
    Baton &operator=(const Baton &) = delete;

    void pass() const;
    // False when the other side did not pass within 20 seconds.
    bool await() const;

private:
    int m_fds[2] = {-1, -1};
};
