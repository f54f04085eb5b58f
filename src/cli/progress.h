#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <mutex>

// Progress of one or more transfers on stderr: a bar redrawn in place when stderr
// is a terminal, nothing at all otherwise. Workers may report from any thread.
namespace cli {

class Progress
{
public:
    Progress(QTextStream &err, bool enabled, const QStringList &ports);

    void setMaximum(int port, int maximum);
    void setValue(int port, int value);
    // Clears the bar's line so the report starts on a clean line.
    void finish();

    // "[#######.............]  35%" for a fraction 0..1 and a bar width.
    static QString bar(double fraction, int width);

private:
    void draw();

    QTextStream &m_err;
    bool m_enabled;
    QStringList m_ports;
    QList<int> m_values;
    QList<int> m_maxima;
    QElapsedTimer m_lastDraw;
    std::mutex m_mutex;
};

} // namespace cli
