#pragma once

#include "core/linksettings.h"

#include <QByteArray>
#include <QtGlobal>

#include <functional>

class SerialPort;

// The computer's side of the read request that the read-out and the verify
// share: "~" and the upload command, then single bytes until the module falls
// silent for one read time-out.
namespace transfer {

// The read time-out profile of the read request: 1500 ms per byte, no constant.
constexpr int ReadoutPerByteMs = 1500;
constexpr int ReadoutConstantMs = 0;
// About the length of a whole answer in bytes: what a progress display counts to.
constexpr int ReadoutAnswerBytes = 1570;
// A module that floods the line must not keep a reader reading for ever: an
// answer that runs past this many bytes is a flood, not a configuration.
constexpr qsizetype MaxAnswerBytes = 65536;

struct ReadoutHooks
{
    // The request went out; the reception starts.
    std::function<void()> requestSent;
    // After every read, with the number of bytes received so far; false cancels.
    std::function<bool(qsizetype received)> step;
};

struct Reception
{
    enum class Status {
        Received,    // the module fell silent (or the line vanished); bytes holds its answer
        Cancelled,   // the step hook asked to stop; the port is closed
        PortFailure, // the port could not be opened or configured
    };
    Status status = Status::Received;
    QByteArray bytes;
    bool lineLost = false; // the far end vanished during the reception
};

// The whole read request on settings.port: open and configure, "~" and the upload
// command, then single bytes while the last read brought one. After a reception
// the port stays open, so the caller decides when it closes (the verify keeps it
// while it shows its verdict); a cancel closes it.
Reception runReadout(SerialPort &port, const LinkSettings &settings, const ReadoutHooks &hooks);

} // namespace transfer
