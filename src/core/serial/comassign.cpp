#include "comassign.h"

#include <algorithm>

namespace comassign {
namespace {

// "/dev/ttyUSB10" → ("/dev/ttyUSB", 10), so numbers sort as numbers.
std::pair<QString, qint64> splitTrailingNumber(const QString &device)
{
    qsizetype digits = device.size();
    while (digits > 0 && device.at(digits - 1).isDigit())
        --digits;
    const QString number = device.mid(digits);
    return {device.left(digits), number.isEmpty() || number.size() > 12 ? -1 : number.toLongLong()};
}

bool deviceOrder(const Adapter &a, const Adapter &b)
{
    const auto ka = splitTrailingNumber(a.device);
    const auto kb = splitTrailingNumber(b.device);
    if (ka != kb)
        return ka < kb;
    return a.device < b.device;
}

int lowestFree(const QSet<int> &taken)
{
    for (int n = 1; n <= kHighestNumber; ++n)
        if (!taken.contains(n))
            return n;
    return 0;
}

} // namespace

bool leadsTo(const Link &link, const Adapter &adapter)
{
    return link.target == adapter.device || (!adapter.stableName.isEmpty() && link.target == adapter.stableName)
           || (!link.device.isEmpty() && link.device == adapter.device);
}

Plan plan(QList<Adapter> adapters, const QList<Link> &links, const QSet<int> &builtIn)
{
    std::sort(adapters.begin(), adapters.end(), deviceOrder);
    QSet<int> taken = builtIn;
    for (const Link &link : links)
        taken.insert(link.number);

    Plan result;
    for (const Adapter &adapter : adapters) {
        const auto named = std::find_if(links.begin(), links.end(),
                                        [&adapter](const Link &l) { return leadsTo(l, adapter); });
        if (named != links.end()) {
            if (named->automatic && !adapter.stableName.isEmpty() && named->target == adapter.device)
                result.changes.append({named->number, adapter.stableName, true});
            continue;
        }
        const int number = lowestFree(taken);
        if (number == 0) {
            result.unnamed.append(adapter);
            continue;
        }
        taken.insert(number);
        result.changes.append({number, adapter.stableName.isEmpty() ? adapter.device : adapter.stableName, false});
    }
    return result;
}

} // namespace comassign
