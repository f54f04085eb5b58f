#include "configdiff.h"

#include "core/phoneslot.h"

namespace cli {

QString formatDifference(const Difference &d, const QString &labelA, const QString &labelB)
{
    QString where = d.field;
    if (d.slot > 0)
        where += QStringLiteral(" (slot %1)").arg(d.slot);
    if (d.right >= 0)
        where += QLatin1Char(' ') + phoneslot::rightName(phoneslot::Right(d.right));
    return QStringLiteral("%1: %2 %3, %4 %5").arg(where, labelA, d.a, labelB, d.b);
}

QStringList formatDifferences(const QList<Difference> &list, const QString &labelA, const QString &labelB)
{
    QStringList lines;
    for (const auto &d : list)
        lines.append(formatDifference(d, labelA, labelB));
    return lines;
}

} // namespace cli
