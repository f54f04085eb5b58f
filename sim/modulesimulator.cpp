#include "modulesimulator.h"

#include "core/transfer/transfertext.h"

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

// The simulator's state and its interface; the line itself (pacing, bytes in and
// out, the serving loop) is in moduleline.cpp, the exchanges in moduleexchanges.cpp.
namespace {

QByteArray fieldBytes(const QString &field)
{
    return field.toLatin1().leftJustified(ModuleSimulator::FieldWidth, ' ', true);
}

} // namespace

QString printableBytes(const QByteArray &bytes)
{
    QString out;
    for (char c : bytes) {
        const auto b = quint8(c);
        if (b >= 32 && b < 127 && b != '\\')
            out += QLatin1Char(c);
        else
            out += QStringLiteral("\\x%1").arg(b, 2, 16, QLatin1Char('0'));
    }
    return out;
}

ModuleSimulator::ModuleSimulator()
{
    for (const QString &f : transfer::fields(FormContent::defaults()))
        m_fields.append(fieldBytes(f));
}

ModuleSimulator::~ModuleSimulator()
{
    stop();
}

void ModuleSimulator::start(int masterFd, bool takeOwnership)
{
    stop();
    m_fd = masterFd;
    m_ownsFd = takeOwnership;
    m_stop = false;
    m_inbox.clear();
    m_inboxRead = 0;
    m_rxFreeAt = m_txFreeAt = Clock::now();
    // A pty takes whatever the program writes at once. To hold the program to the
    // line's rate, its side of the pty is stopped (as by a flow-control stop) while
    // the module is still taking in earlier bytes.
    if (m_paced && ::grantpt(m_fd) == 0 && ::unlockpt(m_fd) == 0) {
        if (const char *slave = ::ptsname(m_fd))
            m_gateFd = ::open(slave, O_RDWR | O_NOCTTY | O_CLOEXEC);
    }
    m_gateOpen = false;
    setGate(true);
    m_expectedRead.reset();
    if (std::lock_guard lock(m_mutex); m_turnaroundSink)
        openReadWatch();
    if (::pipe2(m_wake, O_CLOEXEC) != 0)
        m_wake[0] = m_wake[1] = -1;
    m_running = true;
    m_thread = std::thread([this] { run(); });
}

void ModuleSimulator::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_wake[1] >= 0) {
        const char c = 0;
        [[maybe_unused]] auto n = ::write(m_wake[1], &c, 1);
    }
    if (m_thread.joinable())
        m_thread.join();
    setGate(true); // never leave the program's side stopped
    if (m_gateFd >= 0)
        ::close(m_gateFd);
    m_gateFd = -1;
    if (m_readWatch >= 0)
        ::close(m_readWatch);
    m_readWatch = -1;
    for (int &fd : m_wake) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    if (m_ownsFd && m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_running = false;
}

bool ModuleSimulator::isRunning() const
{
    return m_running;
}

void ModuleSimulator::setBehaviour(const SimBehaviour &behaviour)
{
    std::lock_guard lock(m_mutex);
    m_behaviour = behaviour;
}

SimBehaviour ModuleSimulator::behaviour() const
{
    std::lock_guard lock(m_mutex);
    return m_behaviour;
}

void ModuleSimulator::setPaced(bool paced)
{
    m_paced = paced;
}

void ModuleSimulator::setFields(const QStringList &fields)
{
    std::lock_guard lock(m_mutex);
    m_fields.clear();
    for (const QString &f : fields)
        m_fields.append(fieldBytes(f));
}

void ModuleSimulator::setConfiguration(const FormContent &form)
{
    setFields(transfer::fields(form));
}

QStringList ModuleSimulator::fields() const
{
    std::lock_guard lock(m_mutex);
    QStringList list;
    for (const QByteArray &f : m_fields)
        list.append(QString::fromLatin1(f));
    return list;
}

QString ModuleSimulator::lastChecksum() const
{
    std::lock_guard lock(m_mutex);
    return m_checksum;
}

QByteArray ModuleSimulator::received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

QByteArray ModuleSimulator::sent() const
{
    std::lock_guard lock(m_mutex);
    return m_sent;
}

void ModuleSimulator::clearTranscript()
{
    std::lock_guard lock(m_mutex);
    m_received.clear();
    m_sent.clear();
}

int ModuleSimulator::exchanges() const
{
    std::lock_guard lock(m_mutex);
    return m_exchanges;
}

bool ModuleSimulator::waitForExchanges(int count, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_exchanges >= count; });
}

void ModuleSimulator::setTraceSink(std::function<void(const QString &)> sink)
{
    std::lock_guard lock(m_mutex);
    m_traceSink = std::move(sink);
}

void ModuleSimulator::setStoreSink(std::function<void(const QStringList &)> sink)
{
    std::lock_guard lock(m_mutex);
    m_storeSink = std::move(sink);
}

void ModuleSimulator::trace(const QString &line) const
{
    std::function<void(const QString &)> sink;
    {
        std::lock_guard lock(m_mutex);
        sink = m_traceSink;
    }
    if (sink)
        sink(line);
}

bool ModuleSimulator::hasFault(SimBehaviour::Fault fault) const
{
    std::lock_guard lock(m_mutex);
    return m_behaviour.fault == fault;
}
