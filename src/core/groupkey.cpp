#include "groupkey.h"

#include <QStringList>

GroupKey GroupKey::parse(const QString &group)
{
    const QStringList pieces = group.split(QLatin1Char('.'));
    GroupKey key;
    key.record = pieces.first().toInt(&key.recordOk);
    key.bit = pieces.last().toInt(&key.bitOk);
    return key;
}

QString GroupKey::text(int record, int bit)
{
    return QStringLiteral("%1.%2").arg(record).arg(bit);
}
