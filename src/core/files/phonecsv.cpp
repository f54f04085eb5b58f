#include "phonecsv.h"

#include "core/configdiff.h"
#include "core/formschema.h"
#include "core/inputrules.h"
#include "core/phoneslot.h"

#include <QHash>
#include <QRegularExpression>

namespace phonecsv {
namespace {

QStringList header()
{
    return {QStringLiteral("slot"), QStringLiteral("field"), QStringLiteral("number"),
            QStringLiteral("input1_alarm"), QStringLiteral("input2_alarm"),
            QStringLiteral("output1_control"), QStringLiteral("output2_control")};
}

int maxNumberLength()
{
    return formschema::textFields().at(phoneslot::phoneIndex(1)).maxLength;
}

// The row's slot, or 0 with a problem noted.
int readSlot(const QStringList &cells, QStringList *problems)
{
    bool ok = false;
    const int slot = cells[0].toInt(&ok);
    if (!ok || slot < 1 || slot > formschema::PhoneCount) {
        problems->append(QStringLiteral("unknown slot %1").arg(configdiff::quoted(cells[0])));
        return 0;
    }
    const QString field = formschema::textFields().at(phoneslot::phoneIndex(slot)).name;
    if (!cells[1].isEmpty() && cells[1] != field) {
        problems->append(QStringLiteral("unknown slot: field %1 is not slot %2's %3")
                             .arg(configdiff::quoted(cells[1])).arg(slot).arg(field));
        return 0;
    }
    return slot;
}

void checkNumber(const QString &number, QStringList *problems)
{
    for (QChar c : number) {
        if (inputrules::breaks(inputrules::Rule::Phone, c)) {
            problems->append(QStringLiteral("bad digits %1").arg(configdiff::quoted(number)));
            break;
        }
    }
    if (number.size() > maxNumberLength())
        problems->append(QStringLiteral("too long (%1 > %2)").arg(number.size()).arg(maxNumberLength()));
}

phoneslot::Rights readRights(const QStringList &cells, QStringList *problems)
{
    phoneslot::Rights rights;
    for (int r = 0; r < phoneslot::RightCount; ++r) {
        const QString &cell = cells[3 + r];
        if (cell == u"1")
            rights.on[r] = true;
        else if (cell != u"0")
            problems->append(QStringLiteral("bad %1 value %2 (0 or 1)")
                                 .arg(phoneslot::rightName(phoneslot::Right(r)), configdiff::quoted(cell)));
    }
    return rights;
}

} // namespace

QByteArray exportCsv(const FormContent &form)
{
    QString out = header().join(QLatin1Char(',')) + QLatin1Char('\n');
    for (int slot = 1; slot <= formschema::PhoneCount; ++slot) {
        const int index = phoneslot::phoneIndex(slot);
        const phoneslot::Rights rights = phoneslot::rightsOf(form, slot);
        QStringList cells{QString::number(slot), formschema::textFields()[index].name, csvCell(form.texts[index])};
        for (bool on : rights.on)
            cells.append(on ? QStringLiteral("1") : QStringLiteral("0"));
        out += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return out.toUtf8();
}

bool splitRow(const QString &line, QStringList *cells, QChar delimiter)
{
    cells->clear();
    QString cell;
    bool inQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (inQuotes) {
            if (c != u'"')
                cell += c;
            else if (i + 1 < line.size() && line[i + 1] == u'"')
                cell += line[++i];
            else
                inQuotes = false;
        } else if (c == u'"') {
            inQuotes = true;
        } else if (c == delimiter) {
            cells->append(cell.trimmed());
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells->append(cell.trimmed());
    return !inQuotes;
}

QString csvCell(const QString &text)
{
    static const QRegularExpression special(QStringLiteral("[,\"\r\n]"));
    if (!text.contains(special))
        return text;
    QString inner = text;
    inner.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

CsvTable readTable(const QString &csv)
{
    CsvTable table;
    QStringList lines = csv.split(QLatin1Char('\n'));
    for (auto &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    int headerLine = 0;
    while (headerLine < lines.size() && lines[headerLine].trimmed().isEmpty())
        ++headerLine;
    if (headerLine == lines.size())
        return table;
    table.empty = false;
    const QChar delimiter = lines[headerLine].contains(QLatin1Char(';')) && !lines[headerLine].contains(QLatin1Char(','))
        ? QLatin1Char(';')
        : QLatin1Char(',');
    for (int i = headerLine; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        CsvLine line;
        line.line = i + 1;
        line.closed = splitRow(lines[i], &line.cells, delimiter);
        if (i == headerLine)
            table.header = line;
        else
            table.rows.append(line);
    }
    return table;
}

bool ImportResult::ok() const
{
    if (!error.isEmpty())
        return false;
    for (const auto &row : rows)
        if (!row.ok())
            return false;
    return true;
}

namespace {

// A number may stand in one slot only, whether it came from the CSV or was
// already in the configuration: the module would give it the first slot's rights.
void markDuplicateNumbers(ImportResult *result)
{
    QHash<QString, int> slotOfNumber;
    for (int slot = 1; slot <= formschema::PhoneCount; ++slot) {
        const QString number = result->form.texts[phoneslot::phoneIndex(slot)].trimmed();
        if (!number.isEmpty() && !slotOfNumber.contains(number))
            slotOfNumber.insert(number, slot);
    }
    for (auto &verdict : result->rows) {
        if (!verdict.ok())
            continue;
        const QString number = result->form.texts[phoneslot::phoneIndex(verdict.slot)].trimmed();
        if (number.isEmpty())
            continue;
        int other = slotOfNumber.value(number);
        if (other == verdict.slot) {
            for (int slot = verdict.slot + 1; slot <= formschema::PhoneCount; ++slot)
                if (result->form.texts[phoneslot::phoneIndex(slot)].trimmed() == number) {
                    other = slot;
                    break;
                }
        }
        if (other != verdict.slot)
            verdict.problems.append(QStringLiteral("duplicate: number %1 is also in slot %2").arg(number).arg(other));
    }
}

} // namespace

ImportResult importCsv(const QString &csv, const FormContent &form)
{
    ImportResult result;
    result.form = form;
    const CsvTable table = readTable(csv);
    if (table.empty) {
        result.error = QStringLiteral("the CSV is empty");
        return result;
    }
    const QStringList columns = header();
    if (!table.header.closed || table.header.cells.join(u',').toLower() != columns.join(u',')) {
        result.error = QStringLiteral("line %1: expected the header %2").arg(table.header.line).arg(columns.join(u','));
        return result;
    }

    QHash<int, int> lineOfSlot;
    for (const CsvLine &line : table.rows) {
        const QStringList &cells = line.cells;
        RowVerdict verdict;
        verdict.line = line.line;
        if (!line.closed) {
            verdict.problems.append(QStringLiteral("a quote is not closed"));
        } else if (cells.size() != columns.size()) {
            verdict.problems.append(QStringLiteral("%1 cells, expected %2").arg(cells.size()).arg(columns.size()));
        } else {
            verdict.slot = readSlot(cells, &verdict.problems);
            checkNumber(cells[2], &verdict.problems);
            const phoneslot::Rights rights = readRights(cells, &verdict.problems);
            if (verdict.slot > 0) {
                if (lineOfSlot.contains(verdict.slot))
                    verdict.problems.append(QStringLiteral("duplicate: slot %1 is also on line %2")
                                                .arg(verdict.slot).arg(lineOfSlot.value(verdict.slot)));
                else
                    lineOfSlot.insert(verdict.slot, verdict.line);
                if (verdict.ok()) {
                    result.form.texts[phoneslot::phoneIndex(verdict.slot)] = cells[2];
                    phoneslot::setRights(result.form, verdict.slot, rights);
                }
            }
        }
        result.rows.append(verdict);
    }

    markDuplicateNumbers(&result);
    return result;
}

QString formatVerdict(const RowVerdict &verdict)
{
    QString where = QStringLiteral("line %1").arg(verdict.line);
    if (verdict.slot > 0)
        where += QStringLiteral(" (slot %1)").arg(verdict.slot);
    return where + QStringLiteral(": ") + (verdict.ok() ? QStringLiteral("ok") : verdict.problems.join(QStringLiteral("; ")));
}

} // namespace phonecsv
