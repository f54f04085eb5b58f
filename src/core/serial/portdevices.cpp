#include "portdevices.h"

#include <QRegularExpression>

namespace portdevices {
namespace {

QString hex4(int id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

QString usbText(const portscan::AdapterInfo &adapter)
{
    if (adapter.vendorId < 0 || adapter.productId < 0)
        return QString();
    return QStringLiteral("USB %1:%2").arg(hex4(adapter.vendorId), hex4(adapter.productId));
}

QString joined(const QStringList &parts)
{
    QStringList given;
    for (const QString &part : parts)
        if (!part.isEmpty())
            given << part;
    return given.join(QStringLiteral(", "));
}

} // namespace

bool usbIds(const QString &deviceId, int *vendorId, int *productId)
{
    // The USB bus driver joins the ids with "&", the FTDI one with "+".
    static const QRegularExpression ids(QStringLiteral("VID_([0-9A-F]{4})[&+]PID_([0-9A-F]{4})"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = ids.match(deviceId);
    *vendorId = match.hasMatch() ? match.captured(1).toInt(nullptr, 16) : -1;
    *productId = match.hasMatch() ? match.captured(2).toInt(nullptr, 16) : -1;
    return match.hasMatch();
}

QString usbSerialNumber(const QString &instanceId)
{
    const QStringList parts = instanceId.split(QLatin1Char('\\'));
    if (parts.size() != 3 || parts[0].compare(QLatin1String("USB"), Qt::CaseInsensitive) != 0
        || parts[2].contains(QLatin1Char('&')))
        return QString();
    return parts[2];
}

QString withoutPortName(const QString &friendlyName, const QString &portName)
{
    const QString suffix = QStringLiteral(" (%1)").arg(portName);
    return friendlyName.endsWith(suffix, Qt::CaseInsensitive) ? friendlyName.chopped(suffix.size()) : friendlyName;
}

QString describe(const portscan::AdapterInfo &adapter)
{
    return joined({adapter.description, adapter.manufacturer,
                   adapter.serialNumber.isEmpty() ? QString() : QStringLiteral("serial ") + adapter.serialNumber,
                   usbText(adapter)});
}

QString nameWithAdapter(const QString &port, const portscan::AdapterInfo &adapter)
{
    const QString what = joined({adapter.description, usbText(adapter)});
    return what.isEmpty() ? port : QStringLiteral("%1 (%2)").arg(port, what);
}

} // namespace portdevices
