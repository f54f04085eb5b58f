#pragma once

#include "formschema.h"

// The texts the user reads on the form, in its own language: the labels and hints
// of the named fields and the column headers of the telephone grid. The window
// shows them and the handover sheet prints them, so both read this one table.
// Plain UTF-8 literals, since the window passes them through its translation call.
namespace formtexts {

struct NamedRow
{
    const char *label;
    const char *hint;
};

// Label and hint of the 16 named fields, in enumeration order. The labels of
// be1_off_msg and be2_on_msg are those of the rows they stand on.
inline constexpr NamedRow NamedRows[formschema::MandatoryCount] = {
    {"SMS központ:", "Nemzetközi formátum"},
    {"Modul PIN-kód:", "0000-9999"},
    {"Modul azonosító:", "0000-9999"},
    {"Modul neve:", "Ékezetek nélkül"},
    {"Visszaállás:", "1=igen, 0=nem"},
    {"1-es bemenet neve:", "Ékezetek nélkül"},
    {"2-es bemenet neve:", "Ékezetek nélkül"},
    {"Relé meghúzási idő:", "0000-9999 (mp)"},
    {"3-as kimenet bekapcsoláskor:", "Ékezetek nélkül"},
    {"4-es kimenet bekapcsoláskor:", "Ékezetek nélkül"},
    {"3-as kimenet kikapcsoláskor:", "Ékezetek nélkül"},
    {"4-es kimenet kikapcsoláskor:", "Ékezetek nélkül"},
    {"1-es bemenet bekapcsoláskor:", "Ékezetek nélkül"},
    {"2-es bemenet bekapcsoláskor:", "Ékezetek nélkül"},
    {"1-es bemenet kikapcsoláskor:", "Ékezetek nélkül"},
    {"2-es bemenet kikapcsoláskor:", "Ékezetek nélkül"},
};

// Headers above the rights columns: the right's name, then the input or output
// number of each of its two box columns (columns 1 and 2, then 3 and 4).
inline constexpr char AlarmHeader[] = "Bemenet riasztás  2     1";
inline constexpr char ControlHeader[] = "Kimenet vezérlés  2     1";
inline constexpr char PhoneHeader[] = "Telefonszám";

} // namespace formtexts
