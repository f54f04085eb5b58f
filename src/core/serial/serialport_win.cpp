// SerialPort on Windows: synchronous kernel32 I/O on "\\.\COMn", one byte per
// call, the line set from its mode string and each read bounded by COMMTIMEOUTS.
#include "serialport.h"

#include "portnames.h"
#include "win32comm.h"

#include <QDeadlineTimer>
#include <QDebug>

#include <climits>

#include <windows.h>

namespace {

// 1200 baud, 8 data bits, no parity, one stop bit. It goes into a zeroed DCB, so
// every member it leaves alone stays zero: no flow control, DTR and RTS off.
const char *const kLineMode = "baud=1200 data=8 parity=N stop=1";
// A read waits in slices this long, so a stop request, or the window's events
// during a read-out, are seen quickly; the slices add up to the profile's wait.
constexpr int kSliceMs = 50;

HANDLE handleOf(void *handle)
{
    return static_cast<HANDLE>(handle);
}

// A read profile on the device: the inter-byte interval limit off (all ones),
// writes without any time-out (both write members zero).
bool applyReadTimeouts(HANDLE handle, DWORD perByteMs, DWORD constantMs)
{
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = perByteMs;
    timeouts.ReadTotalTimeoutConstant = constantMs;
    return ::SetCommTimeouts(handle, &timeouts);
}

// False once the device is gone. A read from a line that vanished may simply come
// back empty, as silence does; the device's status can then no longer be read.
bool deviceThere(HANDLE handle)
{
    DWORD errors = 0;
    COMSTAT status{};
    return ::ClearCommError(handle, &errors, &status);
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
    const win32comm::Opened opened = win32comm::open(portnames::systemLocation(portName));
    if (!opened.handle) {
        qDebug() << "unable to open comport";
        return false;
    }
    m_handle = opened.handle;
    m_sliceMs = -1;
    return true;
}

bool SerialPort::configure(int perByteMs, int constantMs)
{
    if (!m_handle)
        return false;
    DCB dcb;
    ::memset(&dcb, 0, sizeof dcb);
    dcb.DCBlength = sizeof dcb;
    if (!::BuildCommDCBA(kLineMode, &dcb)) {
        qDebug() << "unable to set comport dcb settings";
        close();
        return false;
    }
    if (!::SetCommState(handleOf(m_handle), &dcb)) {
        qDebug() << "unable to set comport cfg settings";
        close();
        return false;
    }
    // The transfer's profile: one byte waits perByte + constant ms at most.
    if (perByteMs < 0 || constantMs < 0 || perByteMs > INT_MAX - constantMs
        || !applyReadTimeouts(handleOf(m_handle), DWORD(perByteMs), DWORD(constantMs))) {
        qDebug() << "unable to set comport time-out settings";
        close();
        return false;
    }
    m_readTimeoutMs = perByteMs + constantMs;
    m_sliceMs = -1;
    return true;
}

int SerialPort::writeByte(quint8 byte)
{
    if (!m_handle || m_lineLost)
        return 0;
    const char c = static_cast<char>(byte);
    DWORD written = 0;
    if (!::WriteFile(handleOf(m_handle), &c, 1, &written, nullptr)) {
        // A synchronous write to a COM port fails only when its device is gone.
        m_lineLost = true;
        return 0;
    }
    if (written != 1)
        return 0;
    if (m_observer)
        m_observer(true, byte);
    return 1;
}

int SerialPort::readByte(quint8 *byte)
{
    if (!m_handle || m_lineLost)
        return 0;
    // Each slice is one ReadFile bounded by a slice-long total time-out: a byte
    // that is waiting, or that arrives within the slice, comes back at once.
    const QDeadlineTimer deadline(m_readTimeoutMs);
    for (;;) {
        const int slice = int(qMin<qint64>(kSliceMs, deadline.remainingTime()));
        if (slice != m_sliceMs) {
            if (!applyReadTimeouts(handleOf(m_handle), 0, DWORD(slice))) {
                m_lineLost = true;
                return 0;
            }
            m_sliceMs = slice;
        }
        char c = 0;
        DWORD got = 0;
        if (!::ReadFile(handleOf(m_handle), &c, 1, &got, nullptr)) {
            // The device went away (a pulled adapter, a closed line): every
            // further read ends at once instead of spinning.
            m_lineLost = true;
            return 0;
        }
        if (got == 1) {
            *byte = static_cast<quint8>(c);
            if (m_observer)
                m_observer(false, *byte);
            return 1;
        }
        if (!deviceThere(handleOf(m_handle))) {
            m_lineLost = true;
            return 0;
        }
        if (deadline.hasExpired() || (m_interrupted && m_interrupted()))
            return 0;
    }
}

void SerialPort::close()
{
    if (!m_handle)
        return;
    win32comm::close(m_handle);
    m_handle = nullptr;
}

bool SerialPort::isOpen() const
{
    return m_handle != nullptr;
}
