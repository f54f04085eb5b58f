#include "portview.h"

#include "core/serial/portnames.h"

namespace portview {

QString nameWithDevice(const QString &port)
{
    const QString device = portnames::systemLocation(port);
    if (!device.startsWith(QLatin1String("/dev/")) || device.mid(5) == port || device == port)
        return port;
    return QStringLiteral("%1 (%2)").arg(port, device.mid(5));
}

} // namespace portview
