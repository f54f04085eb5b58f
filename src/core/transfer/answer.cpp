#include "answer.h"

#include "core/formschema.h"
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

Reading read(const QString &answerText)
{
    Reading reading;
    if (!answerText.contains(kSeparator)) {
        reading.failure = Failure::NoSeparator;
        reading.diagnostic = QStringLiteral("sep error");
        return reading;
    }

    QStringList list = items(answerText);
    if (list.size() != formschema::TextCount) {
        reading.failure = Failure::ItemCount;
        reading.diagnostic = QStringLiteral("dberror %1 %2").arg(list.size()).arg(formschema::TextCount);
        return reading;
    }

    const QStringList masks = takeMaskDigits(&list);
    for (int i = 0; i < formschema::TextCount; ++i)
        reading.content.texts[i] = list[i];
    for (int k = 0; k < formschema::BoxCount; ++k) {
        const formschema::MaskBit bit = formschema::maskBit(k);
        reading.content.boxes[k] = bit.record >= 1 && (maskValue(masks[bit.record - 1]) & bit.value) != 0;
    }
    return reading;
}

} // namespace answer
