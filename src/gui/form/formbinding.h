#pragma once

#include "core/formcontent.h"

#include <QList>

class FormUi;

// Moves values between the form's widgets and a FormContent, through the form's
// lists of fields and boxes in enumeration order.
namespace formbinding {

FormContent capture(const FormUi &form);
// Sets every text field (clear, then setText; the field cuts to its maximum length),
// then every check box. The content must have the form's field counts.
void apply(FormUi &form, const FormContent &content);
// Sets the texts, then the boxes in `boxOrder` (indices into the boxes): a
// read-out sets them record by record.
void apply(FormUi &form, const FormContent &content, const QList<int> &boxOrder);

} // namespace formbinding
