#include "portsurvey.h"

#include "portnames.h"

#include <QFileInfo>

#include <algorithm>

namespace portsurvey {

#ifndef Q_OS_WIN
namespace {

std::optional<portscan::AdapterInfo> adapterAt(const QString &device, const QList<portscan::AdapterInfo> &adapters)
{
    if (device.isEmpty())
        return std::nullopt;
    for (const auto &adapter : adapters)
        if (QFileInfo(adapter.device).canonicalFilePath() == device)
            return adapter;
    return std::nullopt;
}

} // namespace

QList<Row> survey(const portscan::Environment &env)
{
    const QList<portscan::AdapterInfo> adapters = portscan::adapters(env);
    QList<Row> rows;
    QSet<int> named;
    for (const comassign::Link &link : portscan::links(env)) {
        Row row;
        row.number = link.number;
        row.origin = link.automatic ? Origin::Automatic : Origin::ByHand;
        row.link = link.target;
        row.device = link.device;
        row.adapter = adapterAt(link.device, adapters);
        row.status = portstate::examine(link.target, env.sysRoot);
        rows.append(row);
        named.insert(link.number);
    }
    for (int number : portscan::builtInPorts(env)) {
        if (named.contains(number))
            continue;
        Row row;
        row.number = number;
        row.origin = Origin::BuiltIn;
        row.device = env.devRoot + QStringLiteral("/ttyS%1").arg(number - 1);
        row.status = portstate::examine(row.device, env.sysRoot);
        rows.append(row);
    }
    for (const auto &adapter : adapters) {
        const QString device = QFileInfo(adapter.device).canonicalFilePath();
        if (std::any_of(rows.begin(), rows.end(), [&device](const Row &r) { return r.device == device; }))
            continue;
        Row row;
        row.device = adapter.device;
        row.adapter = adapter;
        row.status = portstate::examine(adapter.device, env.sysRoot);
        rows.append(row);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) {
        return (a.number == 0 ? INT_MAX : a.number) < (b.number == 0 ? INT_MAX : b.number);
    });
    return rows;
}
#endif

QString originName(Origin origin)
{
    switch (origin) {
    case Origin::Automatic: return QStringLiteral("automatic");
    case Origin::ByHand: return QStringLiteral("by hand");
    case Origin::BuiltIn: return QStringLiteral("built-in");
    case Origin::None: return QStringLiteral("none");
    case Origin::System: return QStringLiteral("system");
    }
    return QString();
}

std::optional<LeftOut> firstLeftOut(const QSet<int> &listed)
{
    for (int n = 1; n <= comassign::kHighestNumber; ++n) {
        if (listed.contains(n))
            continue;
        const QString device = portnames::systemLocation(portnames::comName(n));
#ifndef Q_OS_WIN // a COM device has no file to look for there
        if (!QFileInfo::exists(device))
            continue;
#endif
        const portstate::Status status = portstate::examine(device);
        if (status.state == portstate::State::InUse || status.state == portstate::State::NoPermission)
            return LeftOut{n, device, status};
    }
    return std::nullopt;
}

} // namespace portsurvey
