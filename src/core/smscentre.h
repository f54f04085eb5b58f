#pragma once

#include <QString>
#include <QtGlobal>

// The three operators' SMS centres offered by the form, and the custom entry.
namespace smscentre {

constexpr int CustomIndex = 3;

QString operatorName(int index);  // "T-Mobile", "Telenor", "Vodafone", "Egyéni"
// The same name as written in the source (UTF-8), for CoreTexts::tr().
const char *operatorNameSource(int index);
QString number(int index);        // the operator's number; empty for the custom entry
// The combo index that a loaded or read-out number selects: 0..2, else 3.
int indexForNumber(const QString &number);

} // namespace smscentre
