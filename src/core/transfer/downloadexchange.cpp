#include "downloadexchange.h"

#include "core/serial/serialport.h"
#include "linebytes.h"
#include "transfertext.h"

namespace transfer {
namespace {

constexpr quint8 kDownloadCommand = '}';
constexpr quint8 kReady = 'R';
constexpr int kReadyProgress = 20;

} // namespace

DownloadOutcome runDownload(SerialPort &port, const LinkSettings &settings, const QString &transferText,
                            const DownloadHooks &hooks)
{
    const auto stopRequested = [&hooks] { return hooks.stopRequested && hooks.stopRequested(); };
    const auto setValue = [&hooks](int value) {
        if (hooks.setValue)
            hooks.setValue(value);
    };
    if (hooks.setRange)
        hooks.setRange(int(transferText.size()) + kReadyProgress);

    port.setInterruptCheck(stopRequested);
    if (!port.open(settings.port))
        return DownloadOutcome::PortFailed;
    if (!port.configure(DownloadPerByteMs, DownloadConstantMs))
        return DownloadOutcome::PortFailed;

    const auto finish = [&port](DownloadOutcome outcome) {
        const bool failed = outcome == DownloadOutcome::NoReady || outcome == DownloadOutcome::NotAcknowledged;
        if (failed && port.lineLost())
            outcome = DownloadOutcome::LineLost;
        port.close();
        return outcome;
    };

    port.writeByte(RequestStart);
    port.writeByte(kDownloadCommand);
    quint8 answer = 0;
    const bool ready = port.readByte(&answer) == 1 && answer == kReady;
    if (stopRequested())
        return finish(DownloadOutcome::Stopped);
    if (!ready)
        return finish(DownloadOutcome::NoReady);

    setValue(kReadyProgress);
    // The byte after "R" carries nothing; its absence only costs the wait.
    port.readByte(&answer);

    int progress = kReadyProgress;
    const QByteArray bytes = lineBytes(transferText, settings.downloadSeparator);
    for (char byte : bytes) {
        if (stopRequested() || port.lineLost())
            return finish(stopRequested() ? DownloadOutcome::Stopped : DownloadOutcome::LineLost);
        port.writeByte(quint8(byte));
        setValue(++progress);
    }

    // Either of the two answers may be the acknowledge character ("O" of "OK").
    bool acknowledged = false;
    quint8 first = 0;
    if (port.readByte(&first) == 1 && first == settings.ackChar)
        acknowledged = true;
    quint8 second = 0;
    if (port.readByte(&second) == 1 && second == settings.ackChar)
        acknowledged = true;
    if (stopRequested())
        return finish(DownloadOutcome::Stopped);
    return finish(acknowledged ? DownloadOutcome::Acknowledged : DownloadOutcome::NotAcknowledged);
}

} // namespace transfer
