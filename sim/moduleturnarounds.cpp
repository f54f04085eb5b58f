// How quickly the program answers the module: the turnarounds it adds to an
// exchange on a real line, measured at the module's side of the pty.
#include "modulesimulator.h"

#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// How long the module watches for the program's read before it stops measuring.
constexpr int kReadWaitMs = 2000;

} // namespace

void ModuleSimulator::setTurnaroundSink(std::function<void(Turnaround, std::chrono::nanoseconds)> sink)
{
    std::lock_guard lock(m_mutex);
    m_turnaroundSink = std::move(sink);
}

void ModuleSimulator::reportTurnaround(Turnaround step, Clock::duration took) const
{
    std::function<void(Turnaround, std::chrono::nanoseconds)> sink;
    {
        std::lock_guard lock(m_mutex);
        sink = m_turnaroundSink;
    }
    if (sink)
        sink(step, std::chrono::duration_cast<std::chrono::nanoseconds>(took));
}

// The kernel reports every read from the program's side of the pty as an access
// to its node; the module's own side is another node and reports nothing there.
void ModuleSimulator::openReadWatch()
{
    const char *programSide = ::ptsname(m_fd);
    if (!programSide)
        return;
    m_readWatch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_readWatch >= 0 && ::inotify_add_watch(m_readWatch, programSide, IN_ACCESS) < 0) {
        ::close(m_readWatch);
        m_readWatch = -1;
    }
}

// The program's next read takes the byte the module sends next: its turnaround
// for `step` runs from `from` to that read. Reads reported so far took earlier bytes.
void ModuleSimulator::expectRead(Turnaround step, Clock::time_point from)
{
    if (m_readWatch < 0)
        return;
    char events[4096];
    while (::read(m_readWatch, events, sizeof events) > 0) {
    }
    m_expectedRead = step;
    m_expectedFrom = from;
}

// Called once the module has written the byte that expectRead() named.
void ModuleSimulator::awaitExpectedRead()
{
    if (!m_expectedRead)
        return;
    const Turnaround step = *m_expectedRead;
    m_expectedRead.reset();
    pollfd fds[2] = {{m_readWatch, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    if (::poll(fds, m_wake[0] >= 0 ? 2 : 1, kReadWaitMs) > 0 && (fds[0].revents & POLLIN))
        reportTurnaround(step, Clock::now() - m_expectedFrom);
}
