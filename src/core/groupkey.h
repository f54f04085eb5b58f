#pragma once

#include <QString>

// A check box's group key "R.B": the record R (1..128) whose mask the box adds to,
// and the bit position B (1 or 2) it adds. Read once here; the transfer text, the
// read-out and the telephone rights each decide what an unreadable part means.
struct GroupKey
{
    int record = 0;
    int bit = 0;
    bool recordOk = false; // the part before the first "." reads as a decimal integer
    bool bitOk = false;    // the part after the last "." does

    // The record is the first piece and the bit position the last one.
    static GroupKey parse(const QString &group);
    // "R.B", as the form's boxes carry it.
    static QString text(int record, int bit);

    bool ok() const { return recordOk && bitOk; }
    // The bit's value in its record's mask: 2^(B-1), 0 for a position below 1.
    qint64 value() const { return bitOk && bit >= 1 && bit <= 62 ? qint64(1) << (bit - 1) : 0; }
};
