#pragma once

#include <QList>
#include <QString>
#include <optional>

struct FormContent;

// The character rules that guard what the user types into the form.
namespace inputrules {

enum class Rule { Digits, SevenBit, Unchecked, Phone };

struct Violation
{
    int index;       // text field index in enumeration order
    QString message; // shown to the user in the "Input error" box
};

Rule ruleFor(int index); // a text field by its index in enumeration order
bool breaks(Rule rule, QChar c);

// The first offending field in enumeration order, as one run of the input check sees it.
std::optional<Violation> firstViolation(const FormContent &form);
// Every offending field, for tools that list them all at once.
QList<Violation> allViolations(const FormContent &form);

extern const char *const DigitsMessage;
extern const char *const SevenBitMessage;
extern const char *const RestoreMessage;
extern const char *const PhoneMessage;

} // namespace inputrules
