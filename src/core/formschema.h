#pragma once

#include <QLatin1String>
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
// The telephone slots stand in four blocks side by side, 16 rows each.
constexpr int BlockCount = 4;
constexpr int RowsPerBlock = 16;

// The named fields that a rule, a log or the sheet singles out, by their object names.
namespace fieldname {
inline constexpr QLatin1String SmsCentre{"smskp"};
inline constexpr QLatin1String Pin{"m_pin"};
inline constexpr QLatin1String Id{"m_id"};
inline constexpr QLatin1String Name{"m_nev"};
inline constexpr QLatin1String Restore{"visszaallas"};
inline constexpr QLatin1String RelayTime{"rele_time"};
} // namespace fieldname

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
    QString group;  // the group key "R.B" the widget carries
    int record;     // R, 1..128, read from the key; 0 when it does not read
    int bit;        // B, 1 or 2, read from the key
    int block;      // 1..4
    int column;     // 1..4
    int row;        // 1..16 within the block
};

// Both lists are built once and shared; they are immutable.
const QList<TextField> &textFields();
const QList<Box> &boxes();

// What box k stands for in its record's mask: the record, and the value its bit
// adds to the mask (2^(B-1): 1 for B = 1, 2 for B = 2; 0 for a key that does not
// read). The transfer text adds the value, the read-out tests it.
struct MaskBit
{
    int record;
    int value;
};
MaskBit maskBit(int box);
// The box whose key is record.bit, or -1.
int boxIndex(int record, int bit);
// Every box, record by record and within a record in enumeration order: the order
// in which a read-out sets them.
const QList<int> &boxesByRecord();

int textIndex(const QString &name); // -1 if unknown
int phoneSlot(int block, int row);  // 1..64

// Where a telephone slot (1..64) stands: block 1..4, row 1..16.
struct SlotPlace
{
    int block;
    int row;
};
SlotPlace placeOfSlot(int slot);

} // namespace formschema
