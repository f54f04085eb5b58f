#include "phoneslot.h"

#include "formcontent.h"
#include "formschema.h"

namespace phoneslot {
namespace {

// The box of a right: the slot's alarm record 2p-1 or control record 2p, bit 1
// for input or output 1, bit 2 for 2.
int boxOf(int slot, int right)
{
    const int record = right == Input1Alarm || right == Input2Alarm ? 2 * slot - 1 : 2 * slot;
    const int bit = right == Input1Alarm || right == Output1Control ? 1 : 2;
    return formschema::boxIndex(record, bit);
}

} // namespace

QString rightName(Right right)
{
    switch (right) {
    case Input1Alarm: return QStringLiteral("input 1 alarm");
    case Input2Alarm: return QStringLiteral("input 2 alarm");
    case Output1Control: return QStringLiteral("output 1 control");
    case Output2Control: return QStringLiteral("output 2 control");
    case RightCount: break;
    }
    return QString();
}

Rights rightsOf(const FormContent &form, int slot)
{
    Rights rights;
    for (int r = 0; r < RightCount; ++r)
        rights.on[r] = form.boxes[boxOf(slot, r)];
    return rights;
}

void setRights(FormContent &form, int slot, const Rights &rights)
{
    for (int r = 0; r < RightCount; ++r)
        form.boxes[boxOf(slot, r)] = rights.on[r];
}

int phoneIndex(int slot)
{
    return formschema::HeaderCount + slot - 1;
}

} // namespace phoneslot
