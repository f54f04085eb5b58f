#include "answer.h"

#include "core/formschema.h"
#include "core/groupkey.h"
#include "core/latin1.h"
#include "linebytes.h"

namespace answer {
namespace {

const QChar kSeparator = QLatin1Char('|');

// Each telephone item (the last 64) starts with its alarm and control mask
// digits: takes them off the items. The digit of record r is at [r - 1].
QStringList takeMaskDigits(QStringList *items)
{
    QStringList masks;
    masks.reserve(2 * formschema::PhoneCount);
    for (qsizetype i = items->size() - formschema::PhoneCount; i < items->size(); ++i) {
        QString &item = (*items)[i];
        masks.append(item.mid(0, 1));
        masks.append(item.mid(1, 1));
        item = item.mid(2);
    }
    return masks;
}

} // namespace

QChar charForByte(quint8 byte)
{
    return byte == transfer::LineEnd ? kSeparator : latin1::fromByte(byte);
}

QString rawText(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes)
        text.append(charForByte(static_cast<quint8>(b)));
    return text;
}

QString normalise(const QString &raw)
{
    QString text = raw;
    // The module's final byte is not part of its answer.
    text.chop(1);
    // A preamble ends with an empty field; only the fields behind the last one count.
    const qsizetype pair = text.lastIndexOf(QStringLiteral("||"));
    if (pair >= 0 && pair != text.size() - 2)
        text.remove(0, pair + 2);
    text.replace(QChar(0xFF), QLatin1Char(' '));
    return text;
}

QStringList items(const QString &answerText)
{
    QStringList list = answerText.split(kSeparator, Qt::SkipEmptyParts);
    for (QString &item : list) {
        qsizetype end = item.size();
        while (end > 0 && item.at(end - 1) == QLatin1Char(' '))
            --end;
        item.truncate(end);
    }
    return list;
}

int maskValue(const QString &digit)
{
    bool ok = false;
    const int value = digit.toInt(&ok);
    return ok ? value : 0;
}

Reading read(const QString &answerText, const FormContent &current)
{
    Reading reading;
    if (!answerText.contains(kSeparator)) {
        reading.failure = Failure::NoSeparator;
        reading.diagnostic = QStringLiteral("sep error");
        return reading;
    }

    QStringList list = items(answerText);
    const int fieldCount = int(current.texts.size());
    if (list.size() != fieldCount) {
        reading.failure = Failure::ItemCount;
        reading.diagnostic = QStringLiteral("dberror %1 %2").arg(list.size()).arg(fieldCount);
        return reading;
    }
    const int phones = formschema::PhoneCount;
    if (fieldCount < phones) {
        reading.failure = Failure::RecordKey;
        return reading;
    }

    const QStringList masks = takeMaskDigits(&list);

    // Every record must have a mask digit; a key that points past the digits
    // would otherwise read beyond the answer.
    QList<GroupKey> keys;
    keys.reserve(current.boxes.size());
    int highest = 0;
    for (const auto &box : current.boxes) {
        const GroupKey key = GroupKey::parse(box.group);
        if (!key.recordOk || key.record < 1 || key.record > masks.size()) {
            reading.failure = Failure::RecordKey;
            return reading;
        }
        highest = qMax(highest, key.record);
        keys.append(key);
    }

    reading.content = current;
    for (int i = 0; i < fieldCount; ++i)
        reading.content.texts[i].text = list[i];
    // Record by record, each record's boxes in enumeration order: one pass to
    // group the boxes, so the work grows with the boxes, not boxes times records.
    QList<QList<int>> boxesOfRecord(highest + 1);
    for (int k = 0; k < keys.size(); ++k)
        boxesOfRecord[keys[k].record].append(k);
    reading.boxOrder.reserve(keys.size());
    for (int r = 1; r <= highest; ++r) {
        const int mask = maskValue(masks[r - 1]);
        for (int k : boxesOfRecord[r]) {
            // A bit position that does not read as a number tests no bit.
            reading.content.boxes[k].checked = keys[k].bitOk && (mask & keys[k].bit) != 0;
            reading.boxOrder.append(k);
        }
    }
    return reading;
}

} // namespace answer
