#pragma once

#include "formschema.h"
#include "phoneslot.h"

#include <QString>
#include <QtGlobal>

// The texts the user reads on the form, in its own language: the labels and hints
// of the named fields and the column headers of the telephone grid. The window
// shows them and the handover sheet prints them, so both read this one table.
// Plain UTF-8 literals, marked for the core's translation context (coretexts.h).
namespace formtexts {

struct NamedRow
{
    const char *label;
    const char *hint;
};

// Label and hint of the 16 named fields, in enumeration order. The labels of
// be1_off_msg and be2_on_msg are those of the rows they stand on.
inline constexpr NamedRow NamedRows[formschema::MandatoryCount] = {
    {QT_TRANSLATE_NOOP("CoreTexts", "SMS központ:"), QT_TRANSLATE_NOOP("CoreTexts", "Nemzetközi formátum")},
    {QT_TRANSLATE_NOOP("CoreTexts", "Modul PIN-kód:"), QT_TRANSLATE_NOOP("CoreTexts", "0000-9999")},
    {QT_TRANSLATE_NOOP("CoreTexts", "Modul azonosító:"), QT_TRANSLATE_NOOP("CoreTexts", "0000-9999")},
    {QT_TRANSLATE_NOOP("CoreTexts", "Modul neve:"), QT_TRANSLATE_NOOP("CoreTexts", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("CoreTexts", "Visszaállás:"), QT_TRANSLATE_NOOP("CoreTexts", "1=igen, 0=nem")},
    {QT_TRANSLATE_NOOP("CoreTexts", "1-es bemenet neve:"), QT_TRANSLATE_NOOP("CoreTexts", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("CoreTexts", "2-es bemenet neve:"), QT_TRANSLATE_NOOP("CoreTexts", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("CoreTexts", "Relé meghúzási idő:"), QT_TRANSLATE_NOOP("CoreTexts", "0000-9999 (mp)")},
    {QT_TRANSLATE_NOOP("CoreTexts", "3-as kimenet bekapcsoláskor:"), QT_TRANSLATE_NOOP("CoreTexts", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("CoreTexts", "4-es kimenet bekapcsoláskor:"), QT_TRANSLATE_NOOP("CoreTexts", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("CoreTexts", "3-as kimenet kikapcsoláskor:"), QT_TRANSLATE_NOOP("CoreTexts", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("CoreTexts", "4-es kimenet kikapcsoláskor:"), QT_TRANSLATE_NOOP("CoreTexts", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("CoreTexts", "1-es bemenet bekapcsoláskor:"), QT_TRANSLATE_NOOP("CoreTexts", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("CoreTexts", "2-es bemenet bekapcsoláskor:"), QT_TRANSLATE_NOOP("CoreTexts", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("CoreTexts", "1-es bemenet kikapcsoláskor:"), QT_TRANSLATE_NOOP("CoreTexts", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("CoreTexts", "2-es bemenet kikapcsoláskor:"), QT_TRANSLATE_NOOP("CoreTexts", "Ékezetek nélkül")},
};

// Headers above the rights columns: the right's name, then the input or output
// number of each of its two box columns (columns 1 and 2, then 3 and 4).
inline constexpr char AlarmHeader[] = QT_TRANSLATE_NOOP("CoreTexts", "Bemenet riasztás  2     1");
inline constexpr char ControlHeader[] = QT_TRANSLATE_NOOP("CoreTexts", "Kimenet vezérlés  2     1");
inline constexpr char PhoneHeader[] = QT_TRANSLATE_NOOP("CoreTexts", "Telefonszám");

// A text field as a person finds it on the form, translated (CoreTexts): a named
// field by its label without the colon ("Modul neve"), a telephone slot by its
// column and place ("Telefonszám (2. blokk, 1. sor)"), a reserved field, which
// the form does not show, by its object name ("r16"). Every message that names a
// field takes the name from here.
QString fieldLabel(int index);
// The same by object name; an unknown name stays as it is.
QString fieldLabel(const QString &name);
// One right of a telephone slot (1..64) by its column's header and number, at the
// slot's place: "Bemenet riasztás 1 (4. blokk, 16. sor)".
QString rightLabel(int slot, phoneslot::Right right);

} // namespace formtexts
