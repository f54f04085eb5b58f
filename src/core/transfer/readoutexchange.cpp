#include "readoutexchange.h"

#include "serial/serialport.h"

namespace readoutexchange {

bool openPort(SerialPort &port, const QString &portName)
{
    return port.open(portName) && port.configure(PerByteMs, ConstantMs);
}

int sendRequest(SerialPort &port, quint8 uploadCommand)
{
    port.writeByte('~');
    return port.writeByte(uploadCommand);
}

Reception receive(SerialPort &port, int firstCount, const ReadStep &step)
{
    Reception reception;
    int count = firstCount;
    while (count != 0) {
        quint8 byte = 0;
        count = port.readByte(&byte);
        if (count != 0)
            reception.bytes.append(char(byte));
        if (step && !step(reception.bytes.size())) {
            reception.status = Reception::Status::Cancelled;
            break;
        }
        // A lost line reads as "no byte" already; this only makes the end explicit.
        if (port.lineLost()) {
            reception.lineLost = true;
            break;
        }
    }
    return reception;
}

Reception fetch(const QString &portName, quint8 uploadCommand, const ReadStep &step)
{
    SerialPort port;
    if (!openPort(port, portName)) {
        Reception failed;
        failed.status = Reception::Status::PortFailure;
        return failed;
    }
    const Reception reception = receive(port, sendRequest(port, uploadCommand), step);
    port.close();
    return reception;
}

} // namespace readoutexchange
