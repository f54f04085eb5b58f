#include "configdiff.h"

#include "fieldrules.h"
#include "formcontent.h"
#include "formschema.h"
#include "phoneslot.h"

namespace configdiff {

namespace {

// The differences of `a` and `b`, told by their values `heldA` and `heldB` as a
// module holds them; the values shown are those of `a` and `b`.
QList<Difference> differences(const FormContent &a, const FormContent &b, const FormContent &heldA,
                              const FormContent &heldB)
{
    QList<Difference> list;
    for (int i = 0; i < formschema::TextCount; ++i) {
        const int slot = i >= formschema::HeaderCount ? i - formschema::HeaderCount + 1 : 0;
        const QString &name = formschema::textFields()[i].name;
        if (heldA.texts[i] != heldB.texts[i])
            list.append({name, i, slot, -1, quoted(a.texts[i]), quoted(b.texts[i])});
        if (slot == 0)
            continue;
        const phoneslot::Rights ra = phoneslot::rightsOf(a, slot);
        const phoneslot::Rights rb = phoneslot::rightsOf(b, slot);
        for (int r = 0; r < phoneslot::RightCount; ++r) {
            if (ra.on[r] != rb.on[r]) {
                const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
                list.append({name, i, slot, r, onOff(ra.on[r]), onOff(rb.on[r])});
            }
        }
    }
    return list;
}

} // namespace

QList<Difference> compare(const FormContent &a, const FormContent &b)
{
    return differences(a, b, fieldrules::readBack(a), fieldrules::readBack(b));
}

QList<Difference> compareWithModule(const FormContent &form, const FormContent &held)
{
    const FormContent sent = fieldrules::readBack(form);
    return differences(sent, held, sent, held);
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

} // namespace configdiff
