#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

class QSerialPort;

// The five operations through which every transfer reaches the module:
// open, configure, write one byte, read at most one byte, close.
//
// The line always runs at 1200 baud, 8 data bits, no parity, one stop bit and no
// flow control. Each read waits at most perByte + constant milliseconds; a byte
// already waiting is returned at once. Failures go to the debug channel only.
class SerialPort
{
public:
    SerialPort();
    ~SerialPort(); // closes the port if a caller forgot to
    SerialPort(const SerialPort &) = delete;
    SerialPort &operator=(const SerialPort &) = delete;

    // Opens the port exclusively; "unable to open comport" on failure (nothing to close).
    bool open(const QString &portName);
    // Line settings, then the read time-out profile; on failure the matching
    // diagnostic is written and the port is closed.
    bool configure(int perByteMs, int constantMs);
    // Writes exactly one byte; 1 when it was handed to the driver, else 0.
    int writeByte(quint8 byte);
    // Reads at most one byte within the profile; 0 or 1. On 0, *byte is untouched.
    int readByte(quint8 *byte);
    void close();
    bool isOpen() const;

    // Long waits are cut into short slices; between slices this is asked whether
    // to give up (a worker that was told to stop). A give-up reads as "no byte".
    void setInterruptCheck(std::function<bool()> check);
    // True once the far end has vanished (a pulled adapter, a closed pty): every
    // further read returns 0 at once instead of spinning.
    bool lineLost() const;

    // Sees every byte that went out (sent true) or came in, in line order; for
    // exchange logs. Called on the thread that uses the port.
    void setByteObserver(std::function<void(bool sent, quint8 byte)> observer);

private:
#ifdef Q_OS_WIN
    // Synchronous kernel32 I/O on the COM device (serialport_win.cpp).
    void *m_handle = nullptr; // the HANDLE while open
    int m_sliceMs = -1;       // the read time-out the device holds now
#else
    std::unique_ptr<QSerialPort> m_port;
    bool m_drainWrites = true; // writes return once the byte is on the wire
#endif
    std::function<bool()> m_interrupted;
    std::function<void(bool, quint8)> m_observer;
    int m_readTimeoutMs = 0;
    bool m_lineLost = false;
};
