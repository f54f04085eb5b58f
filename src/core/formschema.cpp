#include "formschema.h"

#include <QDebug>
#include <QHash>

namespace formschema {
namespace {

// Column/row pairs of the box creation order shared by blocks 2 to 4.
constexpr int kBlockPattern[64][2] = {
    {4, 5}, {3, 14}, {4, 16}, {4, 2}, {4, 14}, {3, 1}, {2, 5}, {3, 2},
    {3, 15}, {3, 16}, {1, 14}, {2, 14}, {4, 3}, {4, 11}, {2, 11}, {3, 10},
    {4, 1}, {3, 4}, {1, 9}, {2, 3}, {4, 7}, {2, 7}, {3, 6}, {3, 8},
    {3, 12}, {1, 5}, {1, 13}, {2, 13}, {1, 11}, {1, 3}, {2, 2}, {3, 13},
    {1, 7}, {2, 15}, {1, 1}, {4, 10}, {2, 16}, {2, 12}, {2, 4}, {3, 9},
    {4, 12}, {4, 6}, {1, 2}, {4, 4}, {2, 8}, {4, 8}, {2, 6}, {2, 10},
    {3, 5}, {3, 11}, {2, 1}, {3, 3}, {1, 10}, {1, 15}, {3, 7}, {1, 12},
    {1, 6}, {4, 15}, {1, 4}, {1, 8}, {2, 9}, {4, 9}, {4, 13}, {1, 16},
};

QList<TextField> buildTextFields()
{
    static const struct { QLatin1String name; int maxLength; } named[MandatoryCount] = {
        {fieldname::SmsCentre, 16}, {fieldname::Pin, 4}, {fieldname::Id, 4}, {fieldname::Name, 16},
        {fieldname::Restore, 1}, {QLatin1String("be1_nev"), 16}, {QLatin1String("be2_nev"), 16},
        {fieldname::RelayTime, 4}, {QLatin1String("ki3_on"), 16}, {QLatin1String("ki4_on"), 16},
        {QLatin1String("ki3_off"), 16}, {QLatin1String("ki4_off"), 16}, {QLatin1String("be1_on_msg"), 16},
        {QLatin1String("be1_off_msg"), 16}, {QLatin1String("be2_on_msg"), 16}, {QLatin1String("be2_off_msg"), 16},
    };
    QList<TextField> list;
    list.reserve(TextCount);
    for (const auto &n : named)
        list.append({QString(n.name), n.maxLength, TextKind::Named});
    for (int i = MandatoryCount; i < HeaderCount; ++i)
        list.append({QStringLiteral("r%1").arg(i), 16, TextKind::Reserved});
    for (int block = 1; block <= BlockCount; ++block) {
        for (int row = 1; row <= RowsPerBlock; ++row) {
            const QString name = block == 1 ? QStringLiteral("t%1").arg(row)
                                            : QStringLiteral("t%1_%2").arg(row).arg(block);
            list.append({name, 14, TextKind::Phone});
        }
    }
    return list;
}

// The group key "R.B" follows from the box's place: odd records are a slot's
// alarms, even ones its controls; columns 1 and 3 are bit 2, columns 2 and 4 bit 1.
QString groupKey(int block, int column, int row)
{
    const int slot = phoneSlot(block, row);
    const int record = column <= 2 ? 2 * slot - 1 : 2 * slot;
    const int bit = (column == 1 || column == 3) ? 2 : 1;
    return QStringLiteral("%1.%2").arg(record).arg(bit);
}

// Record and bit are read from the very key the widget carries, here and only
// here, so the two can never disagree: the record is the first piece, the bit
// position the last one. A key that does not read is left out of every mask.
void readKey(Box &box)
{
    const QStringList pieces = box.group.split(QLatin1Char('.'));
    bool recordOk = false;
    bool bitOk = false;
    box.record = pieces.first().toInt(&recordOk);
    box.bit = pieces.last().toInt(&bitOk);
    if (!recordOk || !bitOk) {
        qDebug() << "toInt error.";
        box.record = 0;
        box.bit = 0;
    }
}

QList<Box> buildBoxes()
{
    QList<Box> list;
    list.reserve(BoxCount);
    for (int block = 1; block <= BlockCount; ++block) {
        int created[5] = {0, 0, 0, 0, 0};
        auto add = [&](int column, int row) {
            // Named by creation within the column, not by row: tc4_17 stands in slot 21.
            const int k = ++created[column];
            Box box{QStringLiteral("tc%1_%2").arg(column).arg(phoneSlot(block, k)), groupKey(block, column, row),
                    0, 0, block, column, row};
            readKey(box);
            list.append(box);
        };
        if (block == 1) {
            for (int column : {1, 2, 3, 4})
                add(column, 1);
            for (int row = 2; row <= RowsPerBlock; ++row)
                for (int column : {4, 1, 3, 2})
                    add(column, row);
        } else {
            for (const auto &pair : kBlockPattern)
                add(pair[0], pair[1]);
        }
    }
    return list;
}

} // namespace

const QList<TextField> &textFields()
{
    static const QList<TextField> list = buildTextFields();
    return list;
}

const QList<Box> &boxes()
{
    static const QList<Box> list = buildBoxes();
    return list;
}

int textIndex(const QString &name)
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        const auto &fields = textFields();
        for (int i = 0; i < fields.size(); ++i)
            h.insert(fields[i].name, i);
        return h;
    }();
    return index.value(name, -1);
}

MaskBit maskBit(int box)
{
    const Box &b = boxes().at(box);
    return {b.record, b.bit > 0 ? 1 << (b.bit - 1) : 0};
}

int boxIndex(int record, int bit)
{
    for (int k = 0; k < BoxCount; ++k)
        if (boxes()[k].record == record && boxes()[k].bit == bit)
            return k;
    return -1;
}

const QList<int> &boxesByRecord()
{
    static const QList<int> order = [] {
        QList<int> list;
        for (int r = 1; r <= RecordCount; ++r)
            for (int k = 0; k < BoxCount; ++k)
                if (boxes()[k].record == r)
                    list.append(k);
        return list;
    }();
    return order;
}

int phoneSlot(int block, int row)
{
    return RowsPerBlock * (block - 1) + row;
}

SlotPlace placeOfSlot(int slot)
{
    return {(slot - 1) / RowsPerBlock + 1, (slot - 1) % RowsPerBlock + 1};
}

} // namespace formschema
