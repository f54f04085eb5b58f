#include "serialport.h"

#include "portnames.h"
#include "portscan.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QSerialPort>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#endif

namespace {

// Long waits are cut into slices this long, so a stop request is seen quickly.
constexpr int kSliceMs = 50;
// How long one write waits for the driver to take its byte. A line that drains
// slowly (a pseudo-terminal wakes its writer only once half its buffer is read)
// may take longer; the byte then stays queued, in order, and goes when it can.
constexpr int kWriteWaitMs = 5000;

// A pseudo-terminal has no wire: nothing to wait for after a write.
bool isPseudoTerminal([[maybe_unused]] const QSerialPort &port)
{
#ifdef Q_OS_LINUX
    struct stat st{};
    constexpr unsigned kPtySlaveMajorFirst = 136; // UNIX98 pty slaves: majors 136..143
    return ::fstat(int(port.handle()), &st) == 0 && major(st.st_rdev) >= kPtySlaveMajorFirst
           && major(st.st_rdev) < kPtySlaveMajorFirst + 8;
#else
    return false;
#endif
}

// After a wait that returned false: a time-out is silence, anything else means the
// far end has gone (ReadError on a closed pty, a pulled adapter). Further waits would
// return at once, so the exchange must end instead of spinning.
bool farEndGone(const QSerialPort &port)
{
    const auto error = port.error();
    return error != QSerialPort::TimeoutError && error != QSerialPort::NoError;
}

} // namespace

SerialPort::SerialPort() = default;

SerialPort::~SerialPort()
{
    close();
}

bool SerialPort::open(const QString &portName)
{
    close();
    m_lineLost = false;
    // An adapter plugged in since the last look gets its number first, so the
    // default COM1 reaches a lone adapter without any setting.
    portscan::assignBeforeOpening(portName);
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(portnames::systemLocation(portName));
    // Exclusive by QSerialPort's lock file; an absent device is never created.
    if (!port->open(QIODevice::ReadWrite)) {
        qDebug() << "unable to open comport";
        return false;
    }
    m_drainWrites = !isPseudoTerminal(*port);
    m_port = std::move(port);
    return true;
}

bool SerialPort::configure(int perByteMs, int constantMs)
{
    if (!m_port)
        return false;
    // The line settings of "baud=1200 data=8 parity=N stop=1".
    if (!m_port->setBaudRate(QSerialPort::Baud1200) || !m_port->setDataBits(QSerialPort::Data8)
        || !m_port->setParity(QSerialPort::NoParity) || !m_port->setStopBits(QSerialPort::OneStop)) {
        qDebug() << "unable to set comport dcb settings";
        close();
        return false;
    }
    // Everything the mode string leaves open: no flow control of any kind.
    if (!m_port->setFlowControl(QSerialPort::NoFlowControl)) {
        qDebug() << "unable to set comport cfg settings";
        close();
        return false;
    }
    // The read profile: one byte waits perByte + constant ms at most.
    if (perByteMs < 0 || constantMs < 0 || perByteMs > INT_MAX - constantMs) {
        qDebug() << "unable to set comport time-out settings";
        close();
        return false;
    }
    m_readTimeoutMs = perByteMs + constantMs;
    return true;
}

int SerialPort::writeByte(quint8 byte)
{
    if (!m_port || m_lineLost)
        return 0;
    const char c = static_cast<char>(byte);
    if (m_port->write(&c, 1) != 1)
        return 0;
    // Without an event loop QSerialPort sends nothing by itself: flush() hands the byte
    // to the driver at once; only a full driver buffer makes us wait, in slices.
    m_port->flush();
    const QDeadlineTimer deadline(kWriteWaitMs);
    while (m_port->bytesToWrite() > 0 && !deadline.hasExpired()) {
        m_port->clearError();
        if (m_port->waitForBytesWritten(kSliceMs))
            continue;
        if (farEndGone(*m_port)) {
            m_lineLost = true;
            return 0;
        }
        if (m_interrupted && m_interrupted())
            return 0;
    }
#ifdef Q_OS_UNIX
    // Return when the byte is on the wire, as a serial write does elsewhere: a driver
    // buffer would otherwise take a whole text at once, and the module's answer
    // would come long after the download stopped waiting for it.
    if (m_drainWrites)
        tcdrain(int(m_port->handle()));
#endif
    if (m_observer)
        m_observer(true, byte);
    return 1;
}

int SerialPort::readByte(quint8 *byte)
{
    if (!m_port)
        return 0;
    // A byte already in QSerialPort's buffer must not cost the whole wait.
    if (m_port->bytesAvailable() == 0 && !m_lineLost) {
        const QDeadlineTimer deadline(m_readTimeoutMs);
        do {
            const int slice = int(qMin<qint64>(kSliceMs, deadline.remainingTime()));
            m_port->clearError();
            if (m_port->waitForReadyRead(slice))
                break;
            if (farEndGone(*m_port)) {
                m_lineLost = true;
                break;
            }
            if (m_interrupted && m_interrupted())
                break;
        } while (!deadline.hasExpired());
    }
    if (m_port->bytesAvailable() == 0)
        return 0;
    char c = 0;
    if (m_port->read(&c, 1) != 1)
        return 0;
    *byte = static_cast<quint8>(c);
    if (m_observer)
        m_observer(false, *byte);
    return 1;
}

void SerialPort::close()
{
    if (!m_port)
        return;
    m_port->close();
    m_port.reset();
}

bool SerialPort::isOpen() const
{
    return m_port != nullptr;
}
