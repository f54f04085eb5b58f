#pragma once

#include <QList>
#include <QString>

struct FormContent;

// Field-by-field comparison of two configurations: every text in enumeration
// order and, for the telephone slots, each of the four rights. The command-line
// tool lists the differences by object name, the window names them by the labels
// of its form.
namespace configdiff {

struct Difference
{
    QString field;  // object name of the text field ("m_nev", "t5")
    int index = 0;  // the text field's index in enumeration order
    int slot = 0;   // 1..64 for a telephone slot, else 0
    int right = -1; // a phoneslot::Right of the slot, or -1 for the text itself
    QString a;      // the value on each side, already quoted for display ("on" or
    QString b;      // "off" for a right)
    friend bool operator==(const Difference &, const Difference &) = default;
};

QList<Difference> compare(const FormContent &a, const FormContent &b);

// A text in double quotes, with control and non-Latin-1 characters as escapes.
QString quoted(const QString &text);

} // namespace configdiff
