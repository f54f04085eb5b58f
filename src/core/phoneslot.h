#pragma once

#include <QString>

struct FormContent;

// A telephone slot (1..64): its text field and its four rights, read from and
// written to the boxes through their records and bits (formschema). Record 2p-1 holds the alarms
// (bit 1 input 1, bit 2 input 2), record 2p the controls (bit 1 output 1, bit 2
// output 2).
namespace phoneslot {

enum Right { Input1Alarm, Input2Alarm, Output1Control, Output2Control, RightCount };

struct Rights
{
    bool on[RightCount] = {false, false, false, false};
    friend bool operator==(const Rights &, const Rights &) = default;
};

// "input 1 alarm", "input 2 alarm", "output 1 control", "output 2 control".
QString rightName(Right right);

Rights rightsOf(const FormContent &form, int slot);
// Sets the four boxes of the slot's two records.
void setRights(FormContent &form, int slot, const Rights &rights);

// The index of the slot's text field (28 + slot - 1).
int phoneIndex(int slot);

} // namespace phoneslot
