#pragma once

// A bench's quick mode, "--quick": every step runs once (on an unpaced line where
// the bench has the choice), prints its figures and sets none against its goal.
// ctest runs every bench so (label "bench"): a bench that hangs or crashes fails
// the suite, and a slow machine never does.
#include <QStringList>

#include <cstdio>

namespace bench {

// Takes "--quick" out of `arguments`; true when it was there.
inline bool takeQuick(QStringList &arguments)
{
    return arguments.removeAll(QStringLiteral("--quick")) > 0;
}

// Writes stdout line by line, so that a run cut short (ctest's time-out) still
// shows how far it came.
inline void flushEachLine()
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
}

// The goal printed after a figure, or nothing in quick mode.
inline const char *goal(bool quick, const char *text)
{
    return quick ? "" : text;
}

} // namespace bench
