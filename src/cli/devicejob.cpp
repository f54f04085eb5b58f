#include "devicejob.h"

#include "core/serial/portnames.h"
#include "core/serial/portstate.h"
#include "core/serial/serialport.h"

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
    return portstate::openFailure(portnames::systemLocation(portName));
}

} // namespace cli
