#pragma once

#include "core/formcontent.h"

#include <QDate>
#include <QList>
#include <QString>

// What the handover sheet shows, worked out from a captured form before anything is
// drawn: the texts in the form's own words, the slots in use with their rights.
namespace sheet {

// A PIN as the sheet prints it, and as the window shows it wherever it names values.
inline constexpr char MaskedPin[] = "****";

// Everything the sheet is made from. The window passes the form as its save captures
// it; the command line passes the file as the window would load it.
struct SheetInput
{
    FormContent form;
    QString fileName; // as the status bar shows it; empty when the form has no file
    bool fileUnsaved = false; // the form was changed since the file was opened or saved
    QDate date;
    bool showPin = false; // else the PIN is printed as "****"
};

// A label and its value, one line of the sheet.
struct Entry
{
    QString label;
    QString value;
};

// The four rights columns, in the form's order.
constexpr int MarkColumns = 4;

// A telephone slot in use: its number, or a right, or both.
struct PhoneRow
{
    int slot = 0;
    QString number;
    // The form's box columns: input alarm 2, input alarm 1, output control 2, output control 1.
    bool marks[MarkColumns] = {false, false, false, false};
};

// A header over two box columns, split from the form's header text: the right's
// name ("Bemenet riasztás") and the numbers of its two columns ("2", "1").
struct PairHeader
{
    QString title;
    QString first;
    QString second;
};

struct SheetContent
{
    QString title;
    Entry date;
    Entry file;
    QString moduleHeading;
    QList<Entry> module;   // the eight module fields of the form's left column
    QString messageHeading;
    QList<Entry> messages; // the eight message texts under their form labels
    QString phoneHeading;
    QString slotColumn;
    QString numberColumn;
    PairHeader alarm;
    PairHeader control;
    QList<PhoneRow> phones; // slots in use, in slot order
    QString noPhones;       // said when no slot is in use
    QString continued;      // heading of every page after the first
    QString footer;         // module id and name, on every page
    Entry handedOver;
    Entry received;

    // "1/2. oldal"
    static QString pageOf(int page, int pages);
};

SheetContent sheetContent(const SheetInput &input);

} // namespace sheet
