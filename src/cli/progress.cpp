#include "progress.h"

#include <cmath>

namespace cli {

Progress::Progress(QTextStream &err, bool enabled, const QStringList &ports)
    : m_err(err)
    , m_enabled(enabled)
    , m_ports(ports)
    , m_values(ports.size(), 0)
    , m_maxima(ports.size(), 0)
{
}

void Progress::setMaximum(int port, int maximum)
{
    if (!m_enabled)
        return;
    std::lock_guard lock(m_mutex);
    m_maxima[port] = maximum;
    m_values[port] = 0;
    draw();
}

void Progress::setValue(int port, int value)
{
    if (!m_enabled)
        return;
    std::lock_guard lock(m_mutex);
    m_values[port] = value;
    draw();
}

void Progress::finish()
{
    if (!m_enabled)
        return;
    std::lock_guard lock(m_mutex);
    m_err << "\r\033[K";
    m_err.flush();
}

QString Progress::bar(double fraction, int width)
{
    fraction = qBound(0.0, fraction, 1.0);
    const int filled = int(std::floor(fraction * width));
    return QStringLiteral("[%1%2] %3%")
        .arg(QString(filled, QLatin1Char('#')), QString(width - filled, QLatin1Char('.')))
        .arg(int(std::floor(fraction * 100)), 3);
}

void Progress::draw()
{
    // A terminal redraw per byte would cost more than the byte; ten a second is plenty.
    if (m_lastDraw.isValid() && m_lastDraw.elapsed() < 100)
        return;
    m_lastDraw.start();
    qint64 value = 0;
    qint64 maximum = 0;
    for (int i = 0; i < m_values.size(); ++i) {
        value += qMin(m_values[i], m_maxima[i]);
        maximum += m_maxima[i];
    }
    const QString who = m_ports.size() == 1 ? m_ports.first() : QStringLiteral("%1 ports").arg(m_ports.size());
    m_err << '\r' << bar(maximum > 0 ? double(value) / maximum : 0.0, 30) << ' ' << who << "\033[K";
    m_err.flush();
}

} // namespace cli
