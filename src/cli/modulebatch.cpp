#include "modulebatch.h"

#include "configdiff.h"
#include "core/formschema.h"
#include "fieldcheck.h"
#include "core/files/phonecsv.h"

#include <QHash>
#include <QRegularExpression>

namespace cli {
namespace {

// Why a header cell names no text field, with the right name where a guess is safe.
QString unknownColumn(const QString &name)
{
    const auto slot = QRegularExpression(QStringLiteral("^t(\\d+)$")).match(name);
    const int number = slot.hasMatch() ? slot.captured(1).toInt() : 0;
    if (number > formschema::RowsPerBlock && number <= formschema::PhoneCount) {
        const auto place = formschema::placeOfSlot(number);
        return QStringLiteral("unknown field %1 (slot %2 is t%3_%4)")
            .arg(quoted(name)).arg(number).arg(place.row).arg(place.block);
    }
    for (const auto &box : formschema::boxes())
        if (box.name == name)
            return QStringLiteral("%1 is a check box; the rights come from the template").arg(quoted(name));
    return QStringLiteral("unknown field %1").arg(quoted(name));
}

// The field of each column after the port, or an error naming every bad header cell.
QList<int> readColumns(const phonecsv::CsvLine &header, QString *error)
{
    QStringList problems;
    if (!header.closed)
        problems << QStringLiteral("a quote is not closed");
    if (header.cells.value(0).toLower() != u"port")
        problems << QStringLiteral("the first column must be \"port\", not %1").arg(quoted(header.cells.value(0)));
    QList<int> fields;
    QHash<int, int> seen;
    for (int c = 1; c < header.cells.size(); ++c) {
        const QString &name = header.cells[c];
        const int index = formschema::textIndex(name);
        if (index < 0)
            problems << unknownColumn(name);
        else if (seen.contains(index))
            problems << QStringLiteral("%1 is named twice").arg(name);
        seen.insert(index, c);
        fields << index;
    }
    if (!problems.isEmpty())
        *error = QStringLiteral("line %1: %2").arg(header.line).arg(problems.join(QStringLiteral("; ")));
    return fields;
}

// What `check` refuses in the row's form, each finding named by its cell, or as
// the template's when the row does not set that field.
void checkRow(BatchRow &row, const QStringList &columnNames, const LinkSettings &settings)
{
    const QList<Finding> findings = inputFindings(row.form) + downloadFindings(row.form, settings);
    for (const Finding &f : findings) {
        const QString where = columnNames.contains(f.field)
            ? QStringLiteral("%1 %2").arg(f.field, quoted(row.form.text(f.field)))
            : QStringLiteral("%1 (from the template)").arg(f.field);
        row.problems << QStringLiteral("%1: %2").arg(where, formatFinding(f).section(QStringLiteral(": "), 1));
    }
}

} // namespace

bool Batch::ok() const
{
    if (!error.isEmpty() || rows.isEmpty())
        return false;
    for (const auto &row : rows)
        if (!row.ok())
            return false;
    return true;
}

Batch readBatch(const QString &csv, const FormContent &templateForm, const LinkSettings &settings)
{
    Batch batch;
    const phonecsv::CsvTable table = phonecsv::readTable(csv);
    if (table.empty) {
        batch.error = QStringLiteral("the CSV is empty");
        return batch;
    }
    const QList<int> fields = readColumns(table.header, &batch.error);
    if (!batch.error.isEmpty())
        return batch;
    if (table.rows.isEmpty()) {
        batch.error = QStringLiteral("no module: the CSV has a header only");
        return batch;
    }
    const QStringList columnNames = table.header.cells.mid(1);
    const auto &schema = formschema::textFields();
    QHash<QString, int> lineOfPort;
    for (const auto &line : table.rows) {
        BatchRow row;
        row.line = line.line;
        row.port = line.cells.value(0);
        row.form = templateForm;
        if (!line.closed) {
            row.problems << QStringLiteral("a quote is not closed");
        } else if (line.cells.size() != table.header.cells.size()) {
            row.problems << QStringLiteral("%1 cells, expected %2").arg(line.cells.size()).arg(table.header.cells.size());
        } else {
            if (row.port.isEmpty())
                row.problems << QStringLiteral("port: empty");
            else if (lineOfPort.contains(row.port))
                row.problems << QStringLiteral("port %1 is also on line %2").arg(row.port).arg(lineOfPort.value(row.port));
            lineOfPort.insert(row.port, row.line);
            // A cell the field cannot hold is refused: the window would cut it, and
            // the module would then get a value nobody wrote.
            for (int c = 0; c < fields.size(); ++c) {
                const QString &value = line.cells[c + 1];
                const int max = schema[fields[c]].maxLength;
                if (value.size() > max)
                    row.problems << QStringLiteral("%1 %2: too long (%3 > %4)")
                                        .arg(columnNames[c], quoted(value)).arg(value.size()).arg(max);
                row.form.texts[fields[c]] = value;
            }
            checkRow(row, columnNames, settings);
        }
        batch.rows.append(row);
    }
    return batch;
}

QString formatBatchRow(const BatchRow &row)
{
    QString where = QStringLiteral("line %1").arg(row.line);
    if (!row.port.isEmpty())
        where += QStringLiteral(" (%1)").arg(row.port);
    return where + QStringLiteral(": ") + (row.ok() ? QStringLiteral("ok") : row.problems.join(QStringLiteral("; ")));
}

} // namespace cli
