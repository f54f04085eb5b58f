#include "portprobe.h"

#include "portnames.h"

#include <QSerialPort>

namespace portnames {

bool canOpenExclusively(const QString &portName)
{
    // QSerialPort takes the device's lock file and asks for exclusive use, so a
    // port held by another program (or by ourselves) does not open.
    QSerialPort port;
    port.setPortName(systemLocation(portName));
    if (!port.open(QIODevice::ReadWrite))
        return false;
    port.close();
    return true;
}

} // namespace portnames
