#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>

class SerialPort;

// The computer's side of the read request that the read-out and the verify
// share: "~" and the upload command, then single bytes until the module falls
// silent for one read time-out.
namespace readoutexchange {

// The read time-out profile of the read request: 1500 ms per byte, no constant.
constexpr int PerByteMs = 1500;
constexpr int ConstantMs = 0;

// Called after every read, with the number of bytes received so far; returning
// false cancels the reception. The GUI steps its progress dialog here.
using ReadStep = std::function<bool(qsizetype received)>;

struct Reception
{
    enum class Status {
        Received,    // the module fell silent (or the line vanished); bytes holds its answer
        Cancelled,   // the step callback asked to stop
        PortFailure, // the port could not be opened or configured
    };
    Status status = Status::Received;
    QByteArray bytes;
    bool lineLost = false; // the far end vanished during the reception
};

// Opens the port and configures it with the read request's profile.
bool openPort(SerialPort &port, const QString &portName);

// Writes "~", then the upload command. The second write's count (1 when the
// byte went out) is what starts the reception.
int sendRequest(SerialPort &port, quint8 uploadCommand);

// Reads single bytes while the last count was not 0. A vanished line ends the
// reception at once, like silence. The port stays open.
Reception receive(SerialPort &port, int firstCount, const ReadStep &step);

// The whole request on its own port: open, request, receive, close.
Reception fetch(const QString &portName, quint8 uploadCommand, const ReadStep &step);

} // namespace readoutexchange
