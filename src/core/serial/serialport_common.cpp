// The parts of SerialPort that every platform's serial layer shares
// (serialport.cpp: QSerialPort; serialport_win.cpp: kernel32).
#include "serialport.h"

void SerialPort::setInterruptCheck(std::function<bool()> check)
{
    m_interrupted = std::move(check);
}

bool SerialPort::lineLost() const
{
    return m_lineLost;
}

void SerialPort::setByteObserver(std::function<void(bool sent, quint8 byte)> observer)
{
    m_observer = std::move(observer);
}
