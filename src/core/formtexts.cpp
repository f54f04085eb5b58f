#include "formtexts.h"

#include "coretexts.h"

namespace formtexts {
namespace {

// A slot's column name at the slot's place in the grid.
QString atPlace(const QString &what, int slot)
{
    const auto place = formschema::placeOfSlot(slot);
    return CoreTexts::tr("%1 (%2. blokk, %3. sor)").arg(what).arg(place.block).arg(place.row);
}

} // namespace

QString fieldLabel(int index)
{
    const auto &field = formschema::textFields().at(index);
    switch (field.kind) {
    case formschema::TextKind::Named: {
        QString label = CoreTexts::tr(NamedRows[index].label).trimmed();
        if (label.endsWith(QLatin1Char(':')))
            label.chop(1);
        return label;
    }
    case formschema::TextKind::Phone:
        return atPlace(CoreTexts::tr(PhoneHeader), index - formschema::HeaderCount + 1);
    case formschema::TextKind::Reserved:
        break;
    }
    return field.name;
}

QString fieldLabel(const QString &name)
{
    const int index = formschema::textIndex(name);
    return index < 0 ? name : fieldLabel(index);
}

QString rightLabel(int slot, phoneslot::Right right)
{
    using namespace phoneslot;
    const bool alarm = right == Input1Alarm || right == Input2Alarm;
    // The header's first line is the right's name; the numbers stand over the columns.
    const QString header = CoreTexts::tr(alarm ? AlarmHeader : ControlHeader).section(QStringLiteral("  "), 0, 0);
    const int number = right == Input1Alarm || right == Output1Control ? 1 : 2;
    return atPlace(QStringLiteral("%1 %2").arg(header).arg(number), slot);
}

} // namespace formtexts
