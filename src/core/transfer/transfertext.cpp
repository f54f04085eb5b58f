#include "transfertext.h"

#include "core/formschema.h"
#include "core/inputrules.h"
#include "core/latin1.h"
#include "linebytes.h"

#include <QDebug>

#include <algorithm>
#include <array>

namespace transfer {
namespace {

using formschema::HeaderCount;
using formschema::PhoneCount;

QString padded(const QString &content)
{
    // Longer contents stay whole; the fields' maximum lengths keep them within 16.
    return content.leftJustified(FieldWidth, QLatin1Char(' '));
}

// A field that holds the separator or a carriage return would reach the module as
// two lines and shift every later field in its memory.
bool splitsLine(const QString &field, QChar separator)
{
    return field.contains(separator) || field.contains(latin1::fromByte(LineEnd));
}

// mask(r) of every record r: the sum of the values of its checked boxes' bits.
using Masks = std::array<int, formschema::RecordCount + 1>;
Masks masks(const FormContent &form)
{
    Masks result{};
    for (int k = 0; k < formschema::BoxCount; ++k) {
        if (form.boxes[k]) {
            const formschema::MaskBit bit = formschema::maskBit(k);
            result[bit.record] += bit.value;
        }
    }
    return result;
}

// Telephone field of a slot: the alarm and control masks, then the number, padded to 16.
QString phoneField(const FormContent &form, const Masks &masks, int slot)
{
    const QString &number = form.texts[HeaderCount + slot - 1];
    return padded(QString::number(masks[2 * slot - 1]) + QString::number(masks[2 * slot]) + number);
}

// The character check over the header fields and their separators: the index of
// the first field whose text (or the separator behind it) the module cannot take, or -1.
int firstUntransferableHeader(const FormContent &form, QChar separator)
{
    for (int i = 0; i < HeaderCount; ++i) {
        const QString field = headerField(i, form.texts[i]) + separator;
        if (!std::all_of(field.begin(), field.end(), transferable))
            return i;
    }
    return -1;
}

} // namespace

QString headerField(int index, const QString &text)
{
    if (index == formschema::textIndex(formschema::fieldname::RelayTime))
        return padded(text.rightJustified(4, QLatin1Char('0')));
    return padded(text);
}

QStringList fields(const FormContent &form)
{
    QStringList list;
    for (int i = 0; i < HeaderCount; ++i)
        list.append(headerField(i, form.texts[i]));
    const Masks m = masks(form);
    for (int slot = 1; slot <= PhoneCount; ++slot)
        list.append(phoneField(form, m, slot));
    return list;
}

bool transferable(QChar c)
{
    const int code = latin1::code(c);
    return (code >= 1 && code <= 127) || code == 164;
}

TextResult buildTransferText(const FormContent &form, const LinkSettings &settings)
{
    TextResult result;
    const QChar separator = latin1::fromByte(settings.downloadSeparator);
    const auto &names = formschema::textFields();

    for (int i = 0; i < HeaderCount; ++i) {
        result.text += headerField(i, form.texts[i]);
        if (i < formschema::MandatoryCount && form.texts[i].isEmpty()) {
            qDebug() << names[i].name;
            result.failure = TextFailure::MissingField;
            result.fieldName = names[i].name;
            return result;
        }
        result.text += separator;
    }
    if (const int bad = firstUntransferableHeader(form, separator); bad >= 0) {
        result.failure = TextFailure::AccentedCharacter;
        result.fieldName = names[bad].name;
        return result;
    }
    for (int i = 0; i < HeaderCount; ++i) {
        if (splitsLine(headerField(i, form.texts[i]), separator)) {
            result.failure = TextFailure::SeparatorInField;
            result.fieldName = names[i].name;
            return result;
        }
    }
    const Masks m = masks(form);
    for (int slot = 1; slot <= PhoneCount; ++slot) {
        const int index = HeaderCount + slot - 1;
        const QString &number = form.texts[index];
        const QString field = phoneField(form, m, slot);
        const bool refused = std::any_of(number.begin(), number.end(), [](QChar c) {
            return inputrules::breaks(inputrules::Rule::Phone, c);
        });
        if (refused || splitsLine(field, separator)) {
            result.failure = refused ? TextFailure::PhoneCharacter : TextFailure::SeparatorInField;
            result.fieldName = names[index].name;
            return result;
        }
        result.text += field;
        result.text += separator;
    }
    result.text.chop(1);
    if (settings.checkValue) {
        const QString sum = checksum(result.text, settings.checkSize);
        if (splitsLine(sum, separator)) {
            result.failure = TextFailure::SeparatorInField;
            result.fieldName = QStringLiteral("checksum");
            return result;
        }
        result.text += sum;
    }
    return result;
}

TextResult buildVerifyText(const FormContent &form, const LinkSettings &settings)
{
    TextResult result;
    const QChar separator = latin1::fromByte(settings.downloadSeparator);
    for (int i = 0; i < HeaderCount; ++i)
        result.text += headerField(i, form.texts[i]) + separator;
    if (const int bad = firstUntransferableHeader(form, separator); bad >= 0) {
        result.failure = TextFailure::AccentedCharacter;
        result.fieldName = formschema::textFields()[bad].name;
        return result;
    }
    const Masks m = masks(form);
    for (int slot = 1; slot <= PhoneCount; ++slot)
        result.text += phoneField(form, m, slot) + separator;
    return result;
}

qint64 checksumSum(const QString &text)
{
    qint64 sum = 0;
    for (QChar c : text)
        sum += latin1::signedCode(c);
    return sum;
}

QString checksum(const QString &text, const Checksum &kind)
{
    switch (kind.kind) {
    case Checksum::Kind::Sum8: return QString::number(checksumSum(text) % 8);
    case Checksum::Kind::Sum16: return QString::number(checksumSum(text) % 16);
    case Checksum::Kind::Sum24: return QString::number(checksumSum(text) % 24);
    case Checksum::Kind::Sum32: return QString::number(checksumSum(text) % 32);
    case Checksum::Kind::Fixed: break;
    }
    return QString(latin1::fromByte(kind.fixedChar));
}

QByteArray lineBytes(const QString &text, quint8 separator)
{
    QByteArray bytes;
    bytes.reserve(text.size() + text.size() / FieldWidth + 1);
    for (const QString &piece : text.split(latin1::fromByte(separator))) {
        for (QChar c : piece)
            bytes.append(char(latin1::code(c)));
        bytes.append(char(LineEnd));
    }
    return bytes;
}

} // namespace transfer
