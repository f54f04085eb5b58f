#pragma once

#include "core/formcontent.h"

#include <QList>

class FormUi;

// Moves values between the form's widgets and a FormContent, through the form's
// lists of fields and boxes, which hold them in enumeration order.
namespace formbinding {

FormContent capture(const FormUi &form);
// Sets every text field (clear, then setText; the field cuts to its maximum length),
// then every check box.
void apply(FormUi &form, const FormContent &content);
// Sets the texts, then the boxes in `boxOrder` (indices into the boxes): a
// read-out sets them record by record (formschema::boxesByRecord).
void apply(FormUi &form, const FormContent &content, const QList<int> &boxOrder);

} // namespace formbinding
