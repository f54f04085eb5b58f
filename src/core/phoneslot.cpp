#include "phoneslot.h"

#include "formcontent.h"
#include "formschema.h"
#include "groupkey.h"

namespace phoneslot {
namespace {

// Which right a box stands for in a slot, or -1.
int rightOf(const QString &group, int slot)
{
    const GroupKey key = GroupKey::parse(group);
    if (!key.ok() || (key.bit != 1 && key.bit != 2))
        return -1;
    if (key.record == 2 * slot - 1)
        return key.bit == 1 ? Input1Alarm : Input2Alarm;
    if (key.record == 2 * slot)
        return key.bit == 1 ? Output1Control : Output2Control;
    return -1;
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
    for (const auto &box : form.boxes) {
        const int right = rightOf(box.group, slot);
        if (right >= 0 && box.checked)
            rights.on[right] = true;
    }
    return rights;
}

void setRights(FormContent &form, int slot, const Rights &rights)
{
    for (auto &box : form.boxes) {
        const int right = rightOf(box.group, slot);
        if (right >= 0)
            box.checked = rights.on[right];
    }
}

int phoneIndex(int slot)
{
    return formschema::HeaderCount + slot - 1;
}

} // namespace phoneslot
