#pragma once

#include "core/formcontent.h"
#include "core/linksettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The transfer text: the whole configuration as the module stores it, 16 characters
// a field, fields joined by the download separator, optionally followed by a checksum.
// Every rule about how a field is laid out lives here, so the download, the verify and
// the simulator can never disagree about it.
namespace transfer {

constexpr int FieldWidth = 16;

enum class TextFailure {
    None,
    MissingField,      // a mandatory header field is empty
    AccentedCharacter, // a header character outside 1..127 and not 164
    SeparatorInField,  // a field holds the separator (or a carriage return)
    PhoneCharacter,    // a telephone field holds what the input check refuses
};

struct TextResult
{
    // The complete text, or what was built when a failure stopped the build.
    QString text;
    TextFailure failure = TextFailure::None;
    // The object name of the field that failed.
    QString fieldName;
    bool ok() const { return failure == TextFailure::None; }
};

// Header field `index` holding `text` as it travels: rele_time zero-filled to 4,
// all padded to 16.
QString headerField(int index, const QString &text);
// Every field of the form in enumeration order, as the module stores them.
QStringList fields(const FormContent &form);

// Whether the module's character set holds c: codes 1..127 and 164.
bool transferable(QChar c);

// The download's text, with the mandatory-field, character, separator and
// telephone checks. Checksum appended when checkValue is set.
TextResult buildTransferText(const FormContent &form, const LinkSettings &settings);
// What the verify expects back: every field followed by the separator, no checksum,
// empty fields allowed; only the character check can fail.
TextResult buildVerifyText(const FormContent &form, const LinkSettings &settings);

// Sum of the signed 8-bit codes of every character.
qint64 checksumSum(const QString &text);
// What is appended: the sum's remainder by 8, 16, 24 or 32, or the fixed character.
QString checksum(const QString &text, const Checksum &kind);

// The line form: the text split at the separator (empty pieces kept), each piece
// sent as its character codes and a carriage return.
QByteArray lineBytes(const QString &text, quint8 separator);

} // namespace transfer
