// The module's side of each exchange: what it answers and how it misbehaves.
#include "modulesimulator.h"

using namespace moduleprotocol;

void ModuleSimulator::sendNoise(int count)
{
    // Deterministic noise that holds no line end, separator, "R" or "O".
    quint32 state = 0x2545F491u;
    QByteArray noise;
    while (noise.size() < count) {
        state = state * 1664525u + 1013904223u;
        const auto b = quint8(state >> 24);
        if (b != LineEnd && b != Separator && b != Ready && b != quint8(Acknowledge[0]))
            noise.append(char(b));
    }
    trace(QStringLiteral("sending %1 bytes of garbage").arg(count));
    sendBytes(noise);
}

void ModuleSimulator::serveDownload()
{
    const SimBehaviour b = behaviour();
    using F = SimBehaviour::Fault;
    if (b.fault == F::Silence || b.fault == F::NoReady)
        return finishExchange(QStringLiteral("download request left unanswered"));
    if (b.fault == F::Garbage) {
        sendNoise(b.garbageBytes);
        return finishExchange(QStringLiteral("download refused with garbage"));
    }
    if (!sendByte(Ready))
        return;
    const auto readySent = Clock::now();
    if (b.fault != F::NoSecondByte && !sendByte(b.secondByte))
        return;
    trace(QStringLiteral("sent R%1, receiving lines")
              .arg(b.fault == F::NoSecondByte ? QString() : printableBytes(QByteArray(1, char(b.secondByte)))));

    QList<QByteArray> lines;
    QByteArray line;
    while (lines.size() < FieldCount) {
        quint8 byte = 0;
        const bool first = lines.isEmpty() && line.isEmpty();
        if (!nextByte(&byte, first ? FirstLineWaitMs : LineByteWaitMs) || !countExchangeByte()) {
            if (m_fd >= 0)
                finishExchange(QStringLiteral("download abandoned after %1 lines").arg(lines.size()));
            return;
        }
        if (first)
            reportTurnaround(Turnaround::ReadyToText, m_lastReadAt - readySent);
        if (byte != LineEnd) {
            line.append(char(byte));
            continue;
        }
        lines.append(line);
        trace(QStringLiteral("line %1/%2 \"%3\"").arg(lines.size()).arg(FieldCount).arg(printableBytes(line)));
        line.clear();
    }

    const auto lastByteAt = m_lastReadAt;
    QList<QByteArray> stored;
    for (const QByteArray &l : lines)
        stored.append(l.left(FieldWidth).leftJustified(FieldWidth, ' '));
    const QString sum = QString::fromLatin1(lines.last().mid(FieldWidth));
    std::function<void(const QStringList &)> sink;
    {
        std::lock_guard lock(m_mutex);
        m_fields = stored;
        m_checksum = sum;
        sink = m_storeSink;
    }
    if (!sum.isEmpty())
        trace(QStringLiteral("checksum \"%1\"").arg(sum));
    if (sink)
        sink(fields());
    expectRead(Turnaround::TextToAckRead, lastByteAt);
    if (!sendBytes(b.acknowledge))
        return;
    finishExchange(QStringLiteral("download stored, acknowledged with \"%1\"").arg(printableBytes(b.acknowledge)));
}

void ModuleSimulator::serveReadout()
{
    const SimBehaviour b = behaviour();
    using F = SimBehaviour::Fault;
    if (b.fault == F::Silence)
        return finishExchange(QStringLiteral("read-out request left unanswered"));
    if (b.fault == F::Garbage) {
        sendNoise(b.garbageBytes);
        return finishExchange(QStringLiteral("read-out answered with garbage"));
    }
    QList<QByteArray> answer;
    {
        std::lock_guard lock(m_mutex);
        answer = m_fields;
    }
    if (b.fault == F::FieldTooFew && !answer.isEmpty())
        answer.removeLast();
    if (b.fault == F::FieldTooMany)
        answer.append(QByteArray(FieldWidth, ' '));
    if (b.fault == F::Flood) {
        answer.clear();
        for (int n = 0; n < b.floodBytes; n += FieldWidth + 1)
            answer.append(QByteArray("FLOOD").leftJustified(FieldWidth, ' '));
    }

    if (b.fault == F::Preamble && !sendBytes(b.preamble))
        return;
    if (!sendBytes(QByteArray(2, char(LineEnd))))
        return;
    for (int i = 0; i < answer.size(); ++i) {
        QByteArray field = answer[i];
        if (b.fault == F::Pad255) {
            for (qsizetype k = field.size() - 1; k >= 0 && field[k] == ' '; --k)
                field[k] = char(0xFF);
        }
        if (!sendBytes(field + char(LineEnd)))
            return;
        if (b.fault == F::LongGap && i == b.gapAfterField) {
            trace(QStringLiteral("pausing %1 ms after field %2").arg(b.gapMs).arg(i + 1));
            std::unique_lock lock(m_mutex);
            m_changed.wait_for(lock, std::chrono::milliseconds(b.gapMs), [this] { return m_stop.load(); });
            m_txFreeAt = Clock::now();
        }
    }
    if (!sendByte(b.lastByte))
        return;
    finishExchange(QStringLiteral("read-out sent: %1 fields").arg(answer.size()));
}
