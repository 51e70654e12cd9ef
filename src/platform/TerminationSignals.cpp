#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int HandledSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The handler has no context pointer: these are the only process-wide
// values it reads. Lock-free atomics are safe to use in a handler.
std::atomic<int> g_writeEnd{-1};
std::atomic<int> g_received{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnTerminationSignal(int signalNumber)
{
    const int savedErrno = errno;
    if (g_received.fetch_add(1) > 0) {
        // The second signal: the default action, now.
        ::signal(signalNumber, SIG_DFL);
        ::raise(signalNumber);
    } else {
        const auto byte = static_cast<unsigned char>(signalNumber);
        [[maybe_unused]] const ssize_t written = ::write(g_writeEnd.load(), &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_readEnd.reset(ends[0]);
    m_writeEnd.reset(ends[1]);
    g_received = 0;
    g_writeEnd = m_writeEnd.get();
    m_notifier = std::make_unique<QSocketNotifier>(m_readEnd.get(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &TerminationSignals::ReadPending);

    struct sigaction action
    {
    };
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls elsewhere in the program resume.
    action.sa_flags = SA_RESTART;
    // A signal whose handler cannot be set keeps its previous handling.
    for (std::size_t i = 0; i < std::size(HandledSignals); ++i)
        ::sigaction(HandledSignals[i], &action, &m_previous[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_readEnd.valid())
        return;
    for (std::size_t i = 0; i < std::size(HandledSignals); ++i)
        ::sigaction(HandledSignals[i], &m_previous[i], nullptr);
    g_writeEnd = -1;
}

QString TerminationSignals::Name(int signalNumber)
{
    switch (signalNumber) {
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    case SIGHUP:
        return QStringLiteral("SIGHUP");
    default:
        return QStringLiteral("signal %1").arg(signalNumber);
    }
}

void TerminationSignals::ReadPending()
{
    unsigned char byte = 0;
    while (::read(m_readEnd.get(), &byte, 1) == 1)
        emit received(byte);
}

void IgnoreFileSizeSignal()
{
    ::signal(SIGXFSZ, SIG_IGN);
}
