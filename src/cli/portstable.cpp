#include "portstable.h"

#include "core/serial/portdevices.h"
#include "core/serial/portnames.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli::portstable {
namespace {

QString hex4(int id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

QString comName(const portsurvey::Row &row)
{
    return row.number > 0 ? portnames::comName(row.number) : QString();
}

// The device as it stands now, or the name the link waits for.
QString deviceText(const portsurvey::Row &row)
{
    return row.device.isEmpty() ? row.link : row.device;
}

QStringList cells(const portsurvey::Row &row)
{
    const QString adapter = row.adapter ? portdevices::describe(*row.adapter) : QString();
    // The state without its fix: the fix gets a line of its own under the row
    // (text()), where it can be copied whole.
    return {row.number > 0 ? comName(row) : QStringLiteral("-"), deviceText(row),
            portsurvey::originName(row.origin), adapter.isEmpty() ? QStringLiteral("-") : adapter,
            portstate::describe(row.status)};
}

QJsonValue orNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

QJsonObject adapterObject(const portscan::AdapterInfo &adapter)
{
    QJsonObject object;
    object[QStringLiteral("description")] = orNull(adapter.description);
    object[QStringLiteral("manufacturer")] = orNull(adapter.manufacturer);
    object[QStringLiteral("serialNumber")] = orNull(adapter.serialNumber);
    object[QStringLiteral("vendorId")] = adapter.vendorId < 0 ? QJsonValue() : QJsonValue(hex4(adapter.vendorId));
    object[QStringLiteral("productId")] = adapter.productId < 0 ? QJsonValue() : QJsonValue(hex4(adapter.productId));
    object[QStringLiteral("stableName")] = orNull(adapter.stableName);
    return object;
}

QJsonObject rowObject(const portsurvey::Row &row)
{
    QJsonObject object;
    object[QStringLiteral("com")] = orNull(comName(row));
    object[QStringLiteral("device")] = orNull(deviceText(row));
    object[QStringLiteral("link")] = orNull(row.link);
    object[QStringLiteral("origin")] = portsurvey::originName(row.origin);
    object[QStringLiteral("state")] = portstate::stateName(row.status.state);
    object[QStringLiteral("reason")] = portstate::describeWithFix(row.status);
    object[QStringLiteral("pid")] = row.status.pid > 0 ? QJsonValue(row.status.pid) : QJsonValue();
    object[QStringLiteral("process")] = orNull(row.status.process);
    object[QStringLiteral("fix")] = orNull(portstate::fix(row.status));
    object[QStringLiteral("adapter")] = row.adapter ? QJsonValue(adapterObject(*row.adapter)) : QJsonValue();
    return object;
}

} // namespace

QString text(const QList<portsurvey::Row> &rows)
{
    QList<QStringList> table{{QStringLiteral("COM"), QStringLiteral("DEVICE"), QStringLiteral("LINK"),
                              QStringLiteral("ADAPTER"), QStringLiteral("STATE")}};
    for (const portsurvey::Row &row : rows)
        table << cells(row);
    QList<qsizetype> widths(table.first().size(), 0);
    for (const QStringList &line : table)
        for (qsizetype c = 0; c < line.size(); ++c)
            widths[c] = qMax(widths[c], line[c].size());
    QString result;
    for (qsizetype r = 0; r < table.size(); ++r) {
        const QStringList &line = table[r];
        for (qsizetype c = 0; c + 1 < line.size(); ++c)
            result += line[c].leftJustified(widths[c] + 2);
        result += line.last() + QLatin1Char('\n');
        const QString fix = r > 0 ? portstate::fix(rows[r - 1].status) : QString();
        if (!fix.isEmpty())
            result += QString(widths[0] + 2, QLatin1Char(' ')) + QStringLiteral("fix: ") + fix + QLatin1Char('\n');
    }
    return result;
}

QByteArray json(const QList<portsurvey::Row> &rows, const QString &folder)
{
    QJsonArray ports;
    for (const portsurvey::Row &row : rows)
        ports.append(rowObject(row));
    const QJsonObject top{{QStringLiteral("folder"), orNull(folder)}, {QStringLiteral("ports"), ports}};
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

} // namespace cli::portstable
