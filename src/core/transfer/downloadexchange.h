#pragma once

#include "core/linksettings.h"

#include <functional>

class SerialPort;

// The download exchange with the module, free of widgets and threads, so the
// download dialog's worker and command-line tools share one implementation.
namespace transfer {

// The read profile of the download: no per-byte part, 5000 ms for any one byte.
constexpr int DownloadPerByteMs = 0;
constexpr int DownloadConstantMs = 5000;

enum class DownloadOutcome {
    Acknowledged,    // one of the two last bytes was the acknowledge character
    PortFailed,      // the port could not be opened or configured
    NoReady,         // the module did not answer "R"
    NotAcknowledged, // neither of the two last bytes was the acknowledge character
    Stopped,         // the caller asked to stop
    LineLost,        // the far end vanished during the exchange
};

struct DownloadHooks
{
    // The progress range 0..maximum, and the bar reset to empty.
    std::function<void(int maximum)> setRange;
    // The new progress value.
    std::function<void(int value)> setValue;
    // Asked between bytes and between slices of every wait; true ends the exchange.
    std::function<bool()> stopRequested;
};

// Sends a transfer text to settings.port: "~", "}", waits for "R" and one more byte,
// sends the lines, and reads up to two bytes for the acknowledge character.
// The port is closed again on every path that opened it.
DownloadOutcome runDownload(SerialPort &port, const LinkSettings &settings, const QString &transferText,
                            const DownloadHooks &hooks);

} // namespace transfer
