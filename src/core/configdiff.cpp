#include "configdiff.h"

#include "core/formcontent.h"
#include "core/formschema.h"
#include "core/phoneslot.h"

namespace cli {

QList<Difference> compare(const FormContent &a, const FormContent &b)
{
    QList<Difference> list;
    const qsizetype count = qMin(a.texts.size(), b.texts.size());
    for (qsizetype i = 0; i < count; ++i) {
        const int slot = i >= formschema::HeaderCount ? int(i) - formschema::HeaderCount + 1 : 0;
        const QString &name = a.texts[i].name;
        if (a.texts[i].text != b.texts[i].text)
            list.append({name, slot, QString(), quoted(a.texts[i].text), quoted(b.texts[i].text)});
        if (slot == 0)
            continue;
        const phoneslot::Rights ra = phoneslot::rightsOf(a, slot);
        const phoneslot::Rights rb = phoneslot::rightsOf(b, slot);
        for (int r = 0; r < phoneslot::RightCount; ++r) {
            if (ra.on[r] != rb.on[r]) {
                const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
                list.append({name, slot, phoneslot::rightName(phoneslot::Right(r)), onOff(ra.on[r]), onOff(rb.on[r])});
            }
        }
    }
    return list;
}

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (c == u'"' || c == u'\\')
            out += QLatin1Char('\\') + c;
        else if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0))
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

QString formatDifference(const Difference &d, const QString &labelA, const QString &labelB)
{
    QString where = d.field;
    if (d.slot > 0)
        where += QStringLiteral(" (slot %1)").arg(d.slot);
    if (!d.aspect.isEmpty())
        where += QLatin1Char(' ') + d.aspect;
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
