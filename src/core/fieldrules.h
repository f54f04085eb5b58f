#pragma once

#include "formcontent.h"

#include <QList>

// What becomes of a form's texts on their way: the window's fields cut a longer
// text to their length, and a module gives a downloaded text back laid out as it
// travelled. The window, the command-line tool and the tests share these rules.
namespace fieldrules {

// Text field `index` (enumeration order) as its line edit keeps it: cut to the
// field's maximum length. A text of an unknown index stays whole.
QString fitted(int index, const QString &text);
// Every text as the window holds it after a file or a read-out set it.
FormContent fitToFields(const FormContent &form);

// The form as a read-out gives it back after a download: each header field as it
// travels (rele_time zero-filled to four digits), every text without its trailing
// blanks (leading and inner blanks stay).
FormContent readBack(const FormContent &form);

} // namespace fieldrules
