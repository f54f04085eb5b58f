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

// Two configurations as two modules would hold them: a text counts as the same
// when it travels the same (fieldrules::readBack: a relay time "5" is "0005",
// trailing blanks do not travel). The values shown are the configurations' own.
QList<Difference> compare(const FormContent &a, const FormContent &b);

// A form against what a module gave back (a read-out's content, unchanged): the
// form as the module should hold it, value for value as it should come back.
QList<Difference> compareWithModule(const FormContent &form, const FormContent &held);

// A text in double quotes, with control and non-Latin-1 characters as escapes.
QString quoted(const QString &text);

} // namespace configdiff
