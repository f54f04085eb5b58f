#include "portview.h"

#include "core/serial/portdevices.h"
#include "core/serial/portnames.h"

namespace portview {

QString nameWithDevice(const QString &port)
{
#ifdef Q_OS_WIN
    // The device is "\\.\COMn" whatever it is: what the Device Manager calls it says more.
    if (const auto device = portdevices::comDevice(port))
        return portdevices::nameWithAdapter(port, *device);
    return port;
#else
    const QString device = portnames::systemLocation(port);
    if (!device.startsWith(QLatin1String("/dev/")) || device.mid(5) == port || device == port)
        return port;
    return QStringLiteral("%1 (%2)").arg(port, device.mid(5));
#endif
}

} // namespace portview
