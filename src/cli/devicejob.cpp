#include "devicejob.h"

#include "core/serial/portnames.h"
#include "core/serial/portstate.h"
#include "core/serial/serialport.h"

#include <QDir>

namespace cli {

void attachTrace(SerialPort &port, TraceLog *trace)
{
    if (!trace)
        return;
    port.setByteObserver([trace](bool sent, quint8 byte) {
        trace->byte(sent ? TraceLog::Sent : TraceLog::Received, byte);
    });
}

QString portFailureText(const QString &portName)
{
#ifdef Q_OS_WIN
    const QString device = portnames::systemLocation(portName);
#else
    // QSerialPort takes a bare name such as "ttyUSB0" to be under /dev.
    const QString location = portnames::systemLocation(portName);
    const QString device = QDir::isAbsolutePath(location) ? location : QStringLiteral("/dev/") + location;
#endif
    return portstate::openFailure(device, portstate::examine(device));
}

} // namespace cli
