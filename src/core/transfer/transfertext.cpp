#include "transfertext.h"

#include "core/formschema.h"
#include "core/groupkey.h"
#include "core/inputrules.h"
#include "core/latin1.h"
#include "linebytes.h"

#include <QDebug>

#include <algorithm>

namespace transfer {
namespace {

int headerCount(const FormContent &form)
{
    return qMax(0, int(form.texts.size()) - formschema::PhoneCount);
}

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

QString phoneFieldOf(const FormContent &form, const QHash<int, qint64> &masks, int slot)
{
    const int index = headerCount(form) + slot - 1;
    return phoneField(masks.value(2 * slot - 1), masks.value(2 * slot), form.texts[index].text);
}

// The character check over the header fields and their separators: the index of
// the first field whose text (or the separator behind it) the module cannot take, or -1.
int firstUntransferableHeader(const FormContent &form, QChar separator)
{
    for (int i = 0; i < headerCount(form); ++i) {
        const QString field = headerField(form.texts[i]) + separator;
        if (!std::all_of(field.begin(), field.end(), transferable))
            return i;
    }
    return -1;
}

} // namespace

QHash<int, qint64> masks(const FormContent &form)
{
    QHash<int, qint64> result;
    for (const auto &box : form.boxes) {
        const GroupKey key = GroupKey::parse(box.group);
        if (!key.ok()) {
            qDebug() << "toInt error.";
            continue;
        }
        if (box.checked && key.value() != 0)
            result[key.record] += key.value();
    }
    return result;
}

QString headerField(const FormContent::Text &field)
{
    if (field.name == formschema::fieldname::RelayTime)
        return padded(field.text.rightJustified(4, QLatin1Char('0')));
    return padded(field.text);
}

QString phoneField(qint64 alarmMask, qint64 controlMask, const QString &number)
{
    return padded(QString::number(alarmMask) + QString::number(controlMask) + number);
}

QStringList fields(const FormContent &form)
{
    QStringList list;
    const int headers = headerCount(form);
    for (int i = 0; i < headers; ++i)
        list.append(headerField(form.texts[i]));
    const auto m = masks(form);
    for (int slot = 1; slot <= form.texts.size() - headers; ++slot)
        list.append(phoneFieldOf(form, m, slot));
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
    const auto m = masks(form);
    const int headers = headerCount(form);

    for (int i = 0; i < headers; ++i) {
        result.text += headerField(form.texts[i]);
        if (i < formschema::MandatoryCount && form.texts[i].text.isEmpty()) {
            qDebug() << form.texts[i].name;
            result.failure = TextFailure::MissingField;
            result.fieldName = form.texts[i].name;
            return result;
        }
        result.text += separator;
    }
    if (const int bad = firstUntransferableHeader(form, separator); bad >= 0) {
        result.failure = TextFailure::AccentedCharacter;
        result.fieldName = form.texts[bad].name;
        return result;
    }
    for (int i = 0; i < headers; ++i) {
        if (splitsLine(headerField(form.texts[i]), separator)) {
            result.failure = TextFailure::SeparatorInField;
            result.fieldName = form.texts[i].name;
            return result;
        }
    }
    for (int slot = 1; slot <= form.texts.size() - headers; ++slot) {
        const auto &number = form.texts[headers + slot - 1];
        const QString field = phoneFieldOf(form, m, slot);
        const bool refused = std::any_of(number.text.begin(), number.text.end(), [](QChar c) {
            return inputrules::breaks(inputrules::Rule::Phone, c);
        });
        if (refused || splitsLine(field, separator)) {
            result.failure = refused ? TextFailure::PhoneCharacter : TextFailure::SeparatorInField;
            result.fieldName = number.name;
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
    const int headers = headerCount(form);
    for (int i = 0; i < headers; ++i)
        result.text += headerField(form.texts[i]) + separator;
    if (const int bad = firstUntransferableHeader(form, separator); bad >= 0) {
        result.failure = TextFailure::AccentedCharacter;
        result.fieldName = form.texts[bad].name;
        return result;
    }
    const auto m = masks(form);
    for (int slot = 1; slot <= form.texts.size() - headers; ++slot)
        result.text += phoneFieldOf(form, m, slot) + separator;
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
