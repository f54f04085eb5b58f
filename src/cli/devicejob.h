#pragma once

#include "tracelog.h"

#include "core/transfer/readoutexchange.h"

#include <QByteArray>
#include <QString>

#include <memory>

class SerialPort;

// What the device commands share: a port with an optional trace on it, and the
// one-line texts for what can go wrong on a port.
namespace cli {

// Puts a byte observer on the port that records every byte into `trace`.
void attachTrace(SerialPort &port, TraceLog *trace);

// Why the port could not be opened, by the state of its device now: "/dev/ttyS9 cannot
// be opened: missing (adapter unplugged)", no permission and the fix, in use by which process.
QString portFailureText(const QString &portName);

using transfer::MaxAnswerBytes;

} // namespace cli
