#pragma once

#include "formcontent.h"

class QWidget;

// Moves values between the form's widgets and a FormContent, in enumeration order.
namespace formbinding {

FormContent capture(const QWidget *centralWidget);
// Sets every text field (clear, then setText; the field cuts to its maximum length),
// then every check box. The content must have the form's field counts.
void apply(QWidget *centralWidget, const FormContent &content);

// The label the form shows beside a named field ("Modul neve", without its colon),
// or an empty text for a field without a label of its own.
QString fieldLabel(const QWidget *centralWidget, const QString &name);

} // namespace formbinding
