#include "modulesimulator.h"

#include "transfer/transfertext.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// 10 bits (start, 8 data, stop) at 1200 baud.
constexpr std::chrono::nanoseconds kByteTime(8'333'333);
constexpr quint8 kStart = '~';
constexpr quint8 kDownloadCommand = '}';
constexpr quint8 kCarriageReturn = '\r';
constexpr int kFirstLineWaitMs = 10000;
constexpr int kLineByteWaitMs = 3000;

QString printable(const QByteArray &bytes)
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

QByteArray fieldBytes(const QString &field)
{
    return field.toLatin1().leftJustified(ModuleSimulator::FieldWidth, ' ', true);
}

} // namespace

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
    m_rxFreeAt = m_txFreeAt = Clock::now();
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

void ModuleSimulator::run()
{
    trace(QStringLiteral("ready (%1)").arg(m_paced ? QStringLiteral("1200 baud") : QStringLiteral("unpaced")));
    while (!m_stop && m_fd >= 0) {
        quint8 byte = 0;
        if (!nextByte(&byte, 1000))
            continue;
        if (byte != kStart) {
            trace(QStringLiteral("ignored %1").arg(printable(QByteArray(1, char(byte)))));
            continue;
        }
        m_exchangeBytes = 0;
        countExchangeByte();
        quint8 command = 0;
        if (!nextByte(&command, kLineByteWaitMs) || !countExchangeByte())
            continue;
        const SimBehaviour b = behaviour();
        if (command == kDownloadCommand) {
            trace(QStringLiteral("request: download"));
            serveDownload();
        } else if (command == b.uploadCommand) {
            trace(QStringLiteral("request: read-out"));
            serveReadout();
        } else {
            trace(QStringLiteral("unknown command %1").arg(printable(QByteArray(1, char(command)))));
        }
    }
    m_running = false;
    trace(QStringLiteral("stopped"));
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
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (::poll(fds, m_wake[0] >= 0 ? 2 : 1, int(left.count())) <= 0)
            continue;
        if (fds[1].revents)
            return false;
        char buffer[4096];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0) {
            // A byte reaches the module one byte time after the line is free for it.
            const auto now = Clock::now();
            if (m_rxFreeAt < now)
                m_rxFreeAt = now;
            m_inbox.append(buffer, n);
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            // No program holds the line (EIO on a pty without slave): wait for one.
            ::usleep(20000);
        }
    }
    *byte = quint8(m_inbox.front());
    m_inbox.remove(0, 1);
    m_rxFreeAt += kByteTime;
    if (m_paced)
        std::this_thread::sleep_until(m_rxFreeAt);
    else
        m_rxFreeAt = Clock::now();
    std::lock_guard lock(m_mutex);
    m_received.append(char(*byte));
    return true;
}

bool ModuleSimulator::sendByte(quint8 byte)
{
    if (m_stop || m_fd < 0)
        return false;
    if (m_paced) {
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
    const SimBehaviour b = behaviour();
    if (b.fault == SimBehaviour::Fault::HangUp && m_exchangeBytes >= b.hangUpAfter) {
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
    trace(what);
    {
        std::lock_guard lock(m_mutex);
        ++m_exchanges;
    }
    m_changed.notify_all();
}

void ModuleSimulator::sendNoise(int count)
{
    // Deterministic noise that holds no line end, separator, "R" or "O".
    quint32 state = 0x2545F491u;
    QByteArray noise;
    while (noise.size() < count) {
        state = state * 1664525u + 1013904223u;
        const auto b = quint8(state >> 24);
        if (b != kCarriageReturn && b != '|' && b != 'R' && b != 'O')
            noise.append(char(b));
    }
    trace(QStringLiteral("sending %1 bytes of garbage").arg(count));
    sendBytes(noise);
}

void ModuleSimulator::serveDownload()
{
    const SimBehaviour b = behaviour();
    using F = SimBehaviour::Fault;
    if (b.fault == F::Silence || b.fault == F::NoReady)
        return finishExchange(QStringLiteral("download request left unanswered"));
    if (b.fault == F::Garbage) {
        sendNoise(b.garbageBytes);
        return finishExchange(QStringLiteral("download refused with garbage"));
    }
    if (!sendByte('R'))
        return;
    if (b.fault != F::NoSecondByte && !sendByte(b.secondByte))
        return;
    trace(QStringLiteral("sent R%1, receiving lines")
              .arg(b.fault == F::NoSecondByte ? QString() : printable(QByteArray(1, char(b.secondByte)))));

    QList<QByteArray> lines;
    QByteArray line;
    while (lines.size() < FieldCount) {
        quint8 byte = 0;
        const int wait = lines.isEmpty() && line.isEmpty() ? kFirstLineWaitMs : kLineByteWaitMs;
        if (!nextByte(&byte, wait) || !countExchangeByte()) {
            if (m_fd >= 0)
                finishExchange(QStringLiteral("download abandoned after %1 lines").arg(lines.size()));
            return;
        }
        if (byte != kCarriageReturn) {
            line.append(char(byte));
            continue;
        }
        lines.append(line);
        trace(QStringLiteral("line %1/%2 \"%3\"").arg(lines.size()).arg(FieldCount).arg(printable(line)));
        line.clear();
    }

    QList<QByteArray> stored;
    for (const QByteArray &l : lines)
        stored.append(l.left(FieldWidth).leftJustified(FieldWidth, ' '));
    const QString sum = QString::fromLatin1(lines.last().mid(FieldWidth));
    std::function<void(const QStringList &)> sink;
    {
        std::lock_guard lock(m_mutex);
        m_fields = stored;
        m_checksum = sum;
        sink = m_storeSink;
    }
    if (!sum.isEmpty())
        trace(QStringLiteral("checksum \"%1\"").arg(sum));
    if (sink)
        sink(fields());
    if (!sendBytes(b.acknowledge))
        return;
    finishExchange(QStringLiteral("download stored, acknowledged with \"%1\"").arg(printable(b.acknowledge)));
}

void ModuleSimulator::serveReadout()
{
    const SimBehaviour b = behaviour();
    using F = SimBehaviour::Fault;
    if (b.fault == F::Silence)
        return finishExchange(QStringLiteral("read-out request left unanswered"));
    if (b.fault == F::Garbage) {
        sendNoise(b.garbageBytes);
        return finishExchange(QStringLiteral("read-out answered with garbage"));
    }
    QList<QByteArray> answer;
    {
        std::lock_guard lock(m_mutex);
        answer = m_fields;
    }
    if (b.fault == F::FieldTooFew && !answer.isEmpty())
        answer.removeLast();
    if (b.fault == F::FieldTooMany)
        answer.append(QByteArray(FieldWidth, ' '));
    if (b.fault == F::Flood) {
        answer.clear();
        for (int n = 0; n < b.floodBytes; n += FieldWidth + 1)
            answer.append(QByteArray("FLOOD").leftJustified(FieldWidth, ' '));
    }

    if (b.fault == F::Preamble && !sendBytes(b.preamble))
        return;
    if (!sendBytes("\r\r"))
        return;
    for (int i = 0; i < answer.size(); ++i) {
        QByteArray field = answer[i];
        if (b.fault == F::Pad255) {
            for (qsizetype k = field.size() - 1; k >= 0 && field[k] == ' '; --k)
                field[k] = char(0xFF);
        }
        if (!sendBytes(field + char(kCarriageReturn)))
            return;
        if (b.fault == F::LongGap && i == b.gapAfterField) {
            trace(QStringLiteral("pausing %1 ms after field %2").arg(b.gapMs).arg(i + 1));
            std::unique_lock lock(m_mutex);
            m_changed.wait_for(lock, std::chrono::milliseconds(b.gapMs), [this] { return m_stop.load(); });
            m_txFreeAt = Clock::now();
        }
    }
    if (!sendByte(b.lastByte))
        return;
    finishExchange(QStringLiteral("read-out sent: %1 fields").arg(answer.size()));
}
