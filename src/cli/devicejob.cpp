#include "devicejob.h"

#include "serial/portnames.h"
#include "serial/serialport.h"

#include <QFileInfo>

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
    const QString device = portnames::systemLocation(portName);
    if (QFileInfo(device).isAbsolute() && !QFileInfo::exists(device))
        return QStringLiteral("cannot be opened: no such device %1").arg(device);
    return QStringLiteral("cannot be opened or configured (%1 is in use, not permitted, or no serial line)").arg(device);
}

} // namespace cli
