#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct FormContent;

// Field-by-field comparison of two configurations: every text by object name and,
// for the telephone slots, each of the four rights by name.
namespace cli {

struct Difference
{
    QString field;   // object name of the text field ("m_nev", "t5")
    int slot = 0;    // 1..64 for a telephone slot, else 0
    QString aspect;  // empty for the text itself, else the right's name
    QString a;       // the value on each side, already quoted for display
    QString b;
    friend bool operator==(const Difference &, const Difference &) = default;
};

// Both sides must have the same field set (names in enumeration order).
QList<Difference> compare(const FormContent &a, const FormContent &b);

// A text in double quotes, with control and non-Latin-1 characters as escapes.
QString quoted(const QString &text);

// One line per difference: `m_nev: A "Kapu", B "Gate"`,
// `t5 (slot 5) input 1 alarm: A on, B off`.
QString formatDifference(const Difference &d, const QString &labelA, const QString &labelB);
QStringList formatDifferences(const QList<Difference> &list, const QString &labelA, const QString &labelB);

} // namespace cli
