#pragma once

#include "core/formcontent.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The module's answer to a read request, from the bytes on the line to the
// form's new values. The read-out, the verify, the simulator and command-line
// tools share these rules.
namespace answer {

// A received byte as the reader sees it: a carriage return is the separator
// "|", every other byte the character with the same Latin-1 code.
QChar charForByte(quint8 byte);
QString rawText(const QByteArray &bytes);

// The answer text: the final byte dropped, everything through the last "||"
// dropped unless those are the last two characters, code 255 read as a space.
QString normalise(const QString &raw);

// The answer text split at "|", empty pieces removed, then trailing spaces
// removed from every piece (an all-space piece becomes empty and stays).
QStringList items(const QString &answerText);

enum class Failure {
    None,
    NoSeparator, // the answer holds no "|" at all (also: no answer)
    ItemCount,   // the number of items is not the number of text fields
};

struct Reading
{
    Failure failure = Failure::None;
    // For the debug channel: "sep error", "dberror <items> <fields>"; empty otherwise.
    QString diagnostic;
    // The new values; meaningful only without a failure.
    FormContent content;

    bool ok() const { return failure == Failure::None; }
};

// Reads an answer text into a form: the items into the texts, and every box
// checked when its record's mask digit has the box's bit (formschema::maskBit).
// Every check is made before any value is produced, so a failure never yields a
// half-read form.
Reading read(const QString &answerText);

// The mask value of one mask digit: the digit as a decimal number, 0 when the
// character is not a digit (a letter, a space, or missing).
int maskValue(const QString &digit);

} // namespace answer
