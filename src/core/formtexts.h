#pragma once

#include "formschema.h"

#include <QtGlobal>

// The texts the user reads on the form, in its own language: the labels and hints
// of the named fields and the column headers of the telephone grid. The window
// shows them and the handover sheet prints them, so both read this one table.
// Plain UTF-8 literals, marked for the window's translation context.
namespace formtexts {

struct NamedRow
{
    const char *label;
    const char *hint;
};

// Label and hint of the 16 named fields, in enumeration order. The labels of
// be1_off_msg and be2_on_msg are those of the rows they stand on.
inline constexpr NamedRow NamedRows[formschema::MandatoryCount] = {
    {QT_TRANSLATE_NOOP("MainWindow", "SMS központ:"), QT_TRANSLATE_NOOP("MainWindow", "Nemzetközi formátum")},
    {QT_TRANSLATE_NOOP("MainWindow", "Modul PIN-kód:"), QT_TRANSLATE_NOOP("MainWindow", "0000-9999")},
    {QT_TRANSLATE_NOOP("MainWindow", "Modul azonosító:"), QT_TRANSLATE_NOOP("MainWindow", "0000-9999")},
    {QT_TRANSLATE_NOOP("MainWindow", "Modul neve:"), QT_TRANSLATE_NOOP("MainWindow", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("MainWindow", "Visszaállás:"), QT_TRANSLATE_NOOP("MainWindow", "1=igen, 0=nem")},
    {QT_TRANSLATE_NOOP("MainWindow", "1-es bemenet neve:"), QT_TRANSLATE_NOOP("MainWindow", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("MainWindow", "2-es bemenet neve:"), QT_TRANSLATE_NOOP("MainWindow", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("MainWindow", "Relé meghúzási idő:"), QT_TRANSLATE_NOOP("MainWindow", "0000-9999 (mp)")},
    {QT_TRANSLATE_NOOP("MainWindow", "3-as kimenet bekapcsoláskor:"), QT_TRANSLATE_NOOP("MainWindow", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("MainWindow", "4-es kimenet bekapcsoláskor:"), QT_TRANSLATE_NOOP("MainWindow", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("MainWindow", "3-as kimenet kikapcsoláskor:"), QT_TRANSLATE_NOOP("MainWindow", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("MainWindow", "4-es kimenet kikapcsoláskor:"), QT_TRANSLATE_NOOP("MainWindow", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("MainWindow", "1-es bemenet bekapcsoláskor:"), QT_TRANSLATE_NOOP("MainWindow", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("MainWindow", "2-es bemenet bekapcsoláskor:"), QT_TRANSLATE_NOOP("MainWindow", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("MainWindow", "1-es bemenet kikapcsoláskor:"), QT_TRANSLATE_NOOP("MainWindow", "Ékezetek nélkül")},
    {QT_TRANSLATE_NOOP("MainWindow", "2-es bemenet kikapcsoláskor:"), QT_TRANSLATE_NOOP("MainWindow", "Ékezetek nélkül")},
};

// Headers above the rights columns: the right's name, then the input or output
// number of each of its two box columns (columns 1 and 2, then 3 and 4).
inline constexpr char AlarmHeader[] = QT_TRANSLATE_NOOP("MainWindow", "Bemenet riasztás  2     1");
inline constexpr char ControlHeader[] = QT_TRANSLATE_NOOP("MainWindow", "Kimenet vezérlés  2     1");
inline constexpr char PhoneHeader[] = QT_TRANSLATE_NOOP("MainWindow", "Telefonszám");

} // namespace formtexts
