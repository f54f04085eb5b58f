#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

// A readable record of one port's exchange, for support: each run of bytes in one
// direction as hex and as text, with the time since the start. Lines break after a
// carriage return, so every line of the transfer text stands on its own line.
//
// One TraceLog belongs to one worker; several are joined when written out.
namespace cli {

class TraceLog
{
public:
    enum Direction { Sent, Received };

    TraceLog(const QString &port, const QElapsedTimer &clock);

    void byte(Direction direction, quint8 value);
    void note(const QString &text);

    // The log as lines: "   0.012 COM3 > 7E 7D                 |~}|".
    QStringList lines() const;

    // The text column of a run: printable ASCII as it is, everything else as ".".
    static QString textColumn(const QByteArray &bytes);
    static QString hexColumn(const QByteArray &bytes);

    static constexpr int BytesPerLine = 20;

private:
    struct Entry
    {
        qint64 ms = 0;
        int direction = -1; // -1: a note
        QByteArray bytes;
        QString note;
    };
    QString m_port;
    QElapsedTimer m_clock;
    QList<Entry> m_entries;
};

// Writes the logs one after another into a file, atomically. False with `error` set.
bool writeTrace(const QString &path, const QList<const TraceLog *> &logs, QString *error);

} // namespace cli
