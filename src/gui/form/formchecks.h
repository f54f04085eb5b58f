#pragma once

class FormUi;
class QWidget;

// The form's own commands: the input check after every edit, and the SMS centre.
namespace formchecks {

// input_check(): the first field in enumeration order that breaks its character
// rule is emptied and focused, and a warning box on `window` says why.
void checkInput(QWidget *window, const FormUi &form);

// smskpSelect(): the operator chosen in the combo puts its number into smskp and
// makes it read-only; only the custom entry lets the user edit (and focuses) it.
void takeSmsCentre(const FormUi &form);

// After a load or a read-out: the combo follows the new smskp. Only a real change
// of index emits the combo's signal, and so runs takeSmsCentre().
void showSmsCentre(const FormUi &form);

} // namespace formchecks
