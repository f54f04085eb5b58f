#pragma once

#include "core/formcontent.h"
#include "core/linksettings.h"

#include <QList>
#include <QString>
#include <QStringList>

// A batch of modules from one template: a CSV whose first column is the port and
// whose other columns name text fields (m_id, m_nev, t1, t16_4, ...), one row a module:
//   port,m_id,m_nev
//   COM3,0001,Kapu
// Each row's cells replace the template's values for that module; an empty cell
// empties the field. Every row is checked as `check` checks a file, so a batch is
// refused as a whole, before any port is opened, when a single cell is wrong.
namespace cli {

struct BatchRow
{
    int line = 0;
    QString port;
    FormContent form;     // the template with the row's cells
    QStringList problems; // one per bad cell, naming it; empty: the row is good
    bool ok() const { return problems.isEmpty(); }
};

struct Batch
{
    QString error; // the CSV as a whole is unusable: empty, or a header that names no field
    QList<BatchRow> rows;
    bool ok() const;
};

Batch readBatch(const QString &csv, const FormContent &templateForm, const LinkSettings &settings);

// "line 3 (COM4): ok", "line 4 (COM5): m_id "12a4": input check: Only numbers."
QString formatBatchRow(const BatchRow &row);

} // namespace cli
