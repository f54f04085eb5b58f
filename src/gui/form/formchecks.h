#pragma once

class FormUi;
class QWidget;

// The form's own commands: the input check after every edit, and the SMS centre.
namespace formchecks {

// input_check(): the first field in enumeration order that breaks its character
// rule is emptied and focused, and a warning box on `window` says why. False when
// a field was refused.
bool checkInput(QWidget *window, const FormUi &form);

// Finishes the edit in progress before a command reads the form: when the user has
// typed into the focused field since its edit last finished, the input check that
// leaving the field would run is run now. False when it refused a field (and said
// why): the command must stop, so a refused text never reaches the module, a file
// or a sheet.
bool finishEdit(QWidget *window, const FormUi &form);

// smskpSelect(): the operator chosen in the combo puts its number into smskp and
// makes it read-only; only the custom entry lets the user edit (and focuses) it.
void takeSmsCentre(const FormUi &form);

// After a load or a read-out: the combo follows the new smskp. Only a real change
// of index emits the combo's signal, and so runs takeSmsCentre().
void showSmsCentre(const FormUi &form);

} // namespace formchecks
