#pragma once

#include <QList>
#include <QString>

// The fixed field set of the module's configuration, in enumeration order.
// Files, transfer texts and read-outs all follow this order, so it must never
// change; the widget form is built from these same tables.
namespace formschema {

constexpr int TextCount = 92;
constexpr int HeaderCount = 28;     // 16 named fields + 12 reserved ones
constexpr int MandatoryCount = 16;  // the named header fields
constexpr int PhoneCount = 64;
constexpr int BoxCount = 256;
constexpr int RecordCount = 128;

enum class TextKind { Named, Reserved, Phone };

struct TextField
{
    QString name;
    int maxLength;
    TextKind kind;
};

struct Box
{
    QString name;   // object name, e.g. "tc4_17"
    QString group;  // "R.B", record 1..128, bit 1 or 2
    int block;      // 1..4
    int column;     // 1..4
    int row;        // 1..16 within the block
};

// Both lists are built once and shared; they are immutable.
const QList<TextField> &textFields();
const QList<Box> &boxes();

int textIndex(const QString &name); // -1 if unknown
int phoneSlot(int block, int row);  // 1..64

} // namespace formschema
