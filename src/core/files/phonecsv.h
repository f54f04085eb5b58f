#pragma once

#include "core/formcontent.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The 64 telephone slots as CSV, one row a slot, for the window's File menu and
// rzm417-cli phones alike:
//   slot,field,number,input1_alarm,input2_alarm,output1_control,output2_control
//   1,t1,36301112233,1,0,1,1
// Rights are 0 or 1. On import the field column may be empty; slots without a
// row keep what the configuration holds. A CSV whose header is separated by ";"
// (as spreadsheets write it in many locales) is read with ";" throughout.
namespace phonecsv {

QByteArray exportCsv(const FormContent &form);

// One cell list per line; quoted cells ("a,b", "say ""hi""") are understood.
// False when a quote is left open.
bool splitRow(const QString &line, QStringList *cells, QChar delimiter = QLatin1Char(','));

// A whole CSV as cell lists. The first line that is not blank is the header, blank
// lines are skipped, line ends may be CR LF. The delimiter is ";" when the header
// holds ";" and no ",", else ",". Other commands read their CSVs through this too.
// The byte order mark spreadsheets put before a UTF-8 file is no concern here:
// QString::fromUtf8, through which every caller reads the file, drops it.
struct CsvLine
{
    int line = 0; // 1-based
    QStringList cells;
    bool closed = true; // false: a quote is left open
};
struct CsvTable
{
    bool empty = true; // no header line at all
    CsvLine header;
    QList<CsvLine> rows;
};
CsvTable readTable(const QString &csv);

// A cell as CSV writes it: quoted when it holds a comma, a quote or a line break.
QString csvCell(const QString &text);

struct RowVerdict
{
    int line = 0;         // line number in the CSV, the header being line 1
    int slot = 0;         // 0 when the row names no readable slot
    QStringList problems; // empty: the row is good
    bool ok() const { return problems.isEmpty(); }
};

struct ImportResult
{
    QString error;            // the whole CSV is unusable (no header, empty)
    QList<RowVerdict> rows;
    FormContent form;         // the configuration with every good row applied
    bool ok() const;          // no error and every row good
};

ImportResult importCsv(const QString &csv, const FormContent &form);

// "line 3 (slot 5): ok", "line 4 (slot 7): bad digits "36-30"; too long (15 > 14)".
QString formatVerdict(const RowVerdict &verdict);

} // namespace phonecsv
