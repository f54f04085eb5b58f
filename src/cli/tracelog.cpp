#include "tracelog.h"

#include "core/files/wholefile.h"

#include <QDateTime>

namespace cli {

TraceLog::TraceLog(const QString &port, const QElapsedTimer &clock)
    : m_port(port)
    , m_clock(clock)
{
}

void TraceLog::byte(Direction direction, quint8 value)
{
    // A new line when the direction turns, the line is full, or a line of the text ended.
    const bool continues = !m_entries.isEmpty() && m_entries.last().direction == direction
        && m_entries.last().bytes.size() < BytesPerLine && !m_entries.last().bytes.endsWith('\r');
    if (!continues)
        m_entries.append({m_clock.elapsed(), direction, QByteArray(), QString()});
    m_entries.last().bytes.append(char(value));
}

void TraceLog::note(const QString &text)
{
    m_entries.append({m_clock.elapsed(), -1, QByteArray(), text});
}

QStringList TraceLog::lines() const
{
    QStringList out;
    for (const auto &e : m_entries) {
        const QString head = QStringLiteral("%1 %2 ").arg(e.ms / 1000.0, 9, 'f', 3).arg(m_port);
        if (e.direction < 0)
            out.append(head + QStringLiteral("# ") + e.note);
        else
            out.append(head + (e.direction == Sent ? QStringLiteral("> ") : QStringLiteral("< "))
                       + hexColumn(e.bytes).leftJustified(BytesPerLine * 3) + QLatin1Char('|')
                       + textColumn(e.bytes) + QLatin1Char('|'));
    }
    return out;
}

QString TraceLog::textColumn(const QByteArray &bytes)
{
    QString text;
    for (char c : bytes)
        text += (c >= 0x20 && c < 0x7F) ? QLatin1Char(c) : QLatin1Char('.');
    return text;
}

QString TraceLog::hexColumn(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

bool writeTrace(const QString &path, const QList<const TraceLog *> &logs, QString *error)
{
    QString text = QStringLiteral("# rzm417-cli trace, %1; > sent, < received; seconds since the start\n")
                       .arg(QDateTime::currentDateTime().toString(Qt::ISODate));
    for (const TraceLog *log : logs)
        for (const QString &line : log->lines())
            text += line + QLatin1Char('\n');
    return wholefile::write(path, text.toUtf8(), error);
}

} // namespace cli
