// The module's side of the line: the serving loop, the pacing of a 1200-baud line
// (the program's side of the pty is stopped while the module takes in a byte),
// single bytes in and out, hang-ups and the end of an exchange.
#include "modulesimulator.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace {

// 10 bits (start, 8 data, stop) at 1200 baud.
constexpr std::chrono::nanoseconds kByteTime(8'333'333);
// How far the module lets the program's writes run ahead of the line at most.
constexpr std::chrono::milliseconds kMaxLag(3000);
// How long the module watches a quiet program without sleeping.
constexpr std::chrono::milliseconds kAdmitSpin(20);

} // namespace

void ModuleSimulator::run()
{
    if (m_gateFd >= 0) {
        // The gate holds the program to the line's rate only if this thread closes it
        // soon after a byte comes; on a busy machine ask for a head start (root only).
        ::setpriority(PRIO_PROCESS, pid_t(::gettid()), -10);
    }
    trace(QStringLiteral("ready (%1)").arg(m_paced ? QStringLiteral("1200 baud") : QStringLiteral("unpaced")));
    while (!m_stop && m_fd >= 0) {
        quint8 byte = 0;
        m_inExchange = false; // idle: sleep until the program starts an exchange
        if (!nextByte(&byte, 1000))
            continue;
        m_inExchange = true;
        if (byte != moduleprotocol::Start) {
            trace(QStringLiteral("ignored %1").arg(printableBytes(QByteArray(1, char(byte)))));
            continue;
        }
        const SimBehaviour b = behaviour();
        m_hangUpAfter = b.fault == SimBehaviour::Fault::HangUp ? b.hangUpAfter : -1;
        m_exchangeBytes = 0;
        countExchangeByte();
        quint8 command = 0;
        if (!nextByte(&command, moduleprotocol::LineByteWaitMs) || !countExchangeByte())
            continue;
        if (command == moduleprotocol::DownloadCommand) {
            trace(QStringLiteral("request: download"));
            serveDownload();
        } else if (command == b.uploadCommand) {
            trace(QStringLiteral("request: read-out"));
            expectRead(Turnaround::RequestToRead, m_lastReadAt);
            serveReadout();
        } else {
            trace(QStringLiteral("unknown command %1").arg(printableBytes(QByteArray(1, char(command)))));
        }
    }
    m_running = false;
    trace(QStringLiteral("stopped"));
}

void ModuleSimulator::setGate(bool open)
{
    if (m_gateFd < 0 || open == m_gateOpen)
        return;
    ::tcflow(m_gateFd, open ? TCOON : TCOOFF);
    m_gateOpen = open;
}

bool ModuleSimulator::readAvailable()
{
    char buffer[4096];
    const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
    if (n > 0) {
        // A byte reaches the module one byte time after the line is free for it.
        const auto now = Clock::now();
        if (m_rxFreeAt < now)
            m_rxFreeAt = now;
        m_lastReadAt = now;
        m_inbox.append(buffer, n);
        return true;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR)
        ::usleep(20000); // no program holds the line (EIO on a pty without slave): wait for one
    return false;
}

// Waits until a byte in flight has arrived. Meanwhile the program may hand over its
// next byte, as it would to a UART's buffer, but no more than that.
void ModuleSimulator::waitForArrival(Clock::time_point arrival)
{
    while (!m_stop) {
        const auto left = arrival - Clock::now();
        if (left <= Clock::duration::zero())
            return;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        const timespec timeout{time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
        pollfd fds[2] = {{m_wake[0], POLLIN, 0}, {m_fd, POLLIN, 0}};
        const int count = m_gateOpen && m_fd >= 0 ? 2 : 1;
        if (::ppoll(fds, count, &timeout, nullptr) > 0 && count == 2 && fds[1].revents) {
            setGate(false);
            readAvailable();
        }
    }
}

// Opens the gate and watches it without sleeping, so it closes again as soon as a byte
// is there, before the program can send more. Gives up at `until`, the gate left open.
bool ModuleSimulator::admitOneByte(Clock::time_point until)
{
    setGate(true);
    while (!m_stop && m_fd >= 0) {
        pollfd fd{m_fd, POLLIN, 0};
        if (::poll(&fd, 1, 0) > 0) {
            setGate(false);
            return readAvailable();
        }
        if (Clock::now() >= until)
            return false;
    }
    return false;
}

bool ModuleSimulator::nextByte(quint8 *byte, int timeoutMs)
{
    if (m_stop)
        return false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_inbox.isEmpty()) {
        if (m_stop || m_fd < 0)
            return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        if (m_gateFd >= 0 && m_inExchange && admitOneByte(std::min(deadline, Clock::now() + kAdmitSpin)))
            continue;
        setGate(true);
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (::poll(fds, m_wake[0] >= 0 ? 2 : 1, int(left.count())) <= 0)
            continue;
        if (fds[1].revents)
            return false;
        setGate(false);
        readAvailable();
    }
    *byte = quint8(m_inbox[m_inboxRead++]);
    if (m_inboxRead == m_inbox.size()) {
        m_inbox.clear();
        m_inboxRead = 0;
    }
    m_rxFreeAt += kByteTime;
    if (m_paced && m_rxFreeAt > m_lastReadAt + kMaxLag) {
        // The program slipped a burst past the stopped pty and is far ahead of
        // the line. Catch up, or its waits for the answer would run out before the
        // module has taken in what the line could not have carried yet.
        if (!m_catchingUp)
            trace(QStringLiteral("the program ran ahead of the line; catching up"));
        m_catchingUp = true;
        m_rxFreeAt = m_lastReadAt + kMaxLag;
    } else {
        m_catchingUp = false;
    }
    if (m_paced) {
        if (m_inbox.isEmpty())
            setGate(true);
        waitForArrival(m_rxFreeAt);
    } else {
        m_rxFreeAt = Clock::now();
    }
    std::lock_guard lock(m_mutex);
    m_received.append(char(*byte));
    return true;
}

bool ModuleSimulator::sendByte(quint8 byte)
{
    if (m_stop || m_fd < 0)
        return false;
    if (m_paced) {
        setGate(false); // not listening while talking: the program waits its turn
        m_txFreeAt = std::max(m_txFreeAt, Clock::now()) + kByteTime;
        std::this_thread::sleep_until(m_txFreeAt);
    }
    const char c = char(byte);
    if (::write(m_fd, &c, 1) != 1)
        return false;
    {
        std::lock_guard lock(m_mutex);
        m_sent.append(c);
    }
    awaitExpectedRead();
    return countExchangeByte();
}

bool ModuleSimulator::sendBytes(const QByteArray &bytes)
{
    for (char c : bytes)
        if (!sendByte(quint8(c)))
            return false;
    return true;
}

bool ModuleSimulator::countExchangeByte()
{
    ++m_exchangeBytes;
    if (m_hangUpAfter >= 0 && m_exchangeBytes >= m_hangUpAfter) {
        hangUp();
        return false;
    }
    return true;
}

void ModuleSimulator::hangUp()
{
    trace(QStringLiteral("hanging up after %1 bytes").arg(m_exchangeBytes));
    // Only a line of our own can be hung up; a borrowed one just goes quiet.
    if (m_ownsFd && m_fd >= 0) {
        // A hang-up drops what the far end has not read yet; give the bytes that are
        // already on their way the time a real line would have delivered them in.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ::close(m_fd);
    }
    m_fd = -1;
    finishExchange(QStringLiteral("line hung up"));
}

void ModuleSimulator::finishExchange(const QString &what)
{
    m_expectedRead.reset(); // an exchange that ended unanswered measured nothing
    trace(what);
    {
        std::lock_guard lock(m_mutex);
        ++m_exchanges;
    }
    m_changed.notify_all();
}
