#pragma once

// What the transfer benches report: the program's turnaround at each step of an
// exchange, as the module sees it (ModuleSimulator's turnaround sink), set beside
// the time one byte takes on a 1200-baud line. On a pty the bytes themselves take
// no time, so these pauses are what the program adds to an exchange on a real line.
#include "modulesimulator.h"

#include <QList>
#include <QMap>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <mutex>

namespace bench {

constexpr double kByteMs = 10.0 * 1000.0 / 1200.0; // start bit, 8 data bits, stop bit

// The figures of one step: median and worst, in ms.
struct Spread
{
    double median = 0;
    double worst = 0;
    qsizetype count = 0;
};

inline Spread spread(QList<double> values)
{
    if (values.isEmpty())
        return {};
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.last(), values.size()};
}

// Collects the turnarounds one or more simulators report, from their threads.
class TurnaroundLog
{
public:
    void attach(ModuleSimulator &sim)
    {
        sim.setTurnaroundSink([this](Turnaround step, std::chrono::nanoseconds took) {
            std::lock_guard lock(m_mutex);
            m_ms[step].append(took.count() / 1e6);
        });
    }
    Spread take(Turnaround step)
    {
        std::lock_guard lock(m_mutex);
        return spread(m_ms.take(step));
    }

private:
    std::mutex m_mutex;
    QMap<Turnaround, QList<double>> m_ms;
};

inline const char *stepName(Turnaround step)
{
    switch (step) {
    case Turnaround::ReadyToText: return "\"R\" to the first byte of the text";
    case Turnaround::TextToAckRead: return "last byte to reading the acknowledge";
    case Turnaround::RequestToRead: return "read request to the first read";
    }
    return "";
}

// "   0.21 /   0.40 ms (20)", flagged where the worst is not below one byte time
// (not in quick mode, which judges nothing).
inline void printSpread(const Spread &s, bool quick)
{
    std::printf("%7.2f / %7.2f ms (%lld)%s", s.median, s.worst, static_cast<long long>(s.count),
                quick || s.worst < kByteMs ? "" : " NOT BELOW ONE BYTE");
}

} // namespace bench
