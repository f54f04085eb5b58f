#pragma once

#include "core/linksettings.h"
#include "core/transfer/downloadexchange.h"
#include "tracelog.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QList>
#include <QString>

#include <memory>

class QCommandLineParser;

// What the device commands (download and restore, readout, verify) share: their
// common options, the read request with its one-line errors, and the words for
// a download's outcome.
namespace cli {

struct Console;
class Progress;

inline constexpr QLatin1StringView kPort("port");
inline constexpr QLatin1StringView kTrace("trace");

// --port (with this help) and --trace.
void addDeviceOptions(QCommandLineParser &parser, const QString &portHelp);
// The link settings from the options; a usage error on io when one is bad.
bool linkSettings(const QCommandLineParser &parser, LinkSettings *settings, const Console &io);
// Exactly one --port, for readout and verify.
bool singlePort(const QCommandLineParser &parser, QString *port, const Console &io);
// A trace for one port when --trace was given, timed from now.
std::unique_ptr<TraceLog> makeTrace(const QCommandLineParser &parser, const QString &portName);
// Writes the trace when one was asked for; a failure is an error of its own.
bool finishTrace(const QCommandLineParser &parser, const QList<const TraceLog *> &logs, const Console &io);

// One module of a download: where it goes, what is sent, and how it went.
struct DownloadJob
{
    LinkSettings settings; // the port
    QString transferText;
    transfer::DownloadOutcome outcome = transfer::DownloadOutcome::PortFailed;
    std::unique_ptr<TraceLog> trace;
    qint64 ms = 0; // the write alone
};

int outcomeCode(transfer::DownloadOutcome outcome);
// "ok, acknowledged (14.2 s)", "failed: no answer (no "R" within 5 s)", ...
QString outcomeText(const DownloadJob &job);

// A bar of a progress shown for several ports; without one the request shows its own.
struct ProgressSlot
{
    Progress *progress = nullptr;
    int index = 0;
};

// The read request (transfer::runReadout) on portName, then the port closed: of readout and verify,
// and of the backup and read-back of a download. Returns -1 on success, else the
// exit code after a one-line error on io.
int fetchAnswer(const QString &portName, const LinkSettings &settings, TraceLog *trace, const Console &io,
                QByteArray *bytes, const ProgressSlot &shown = {});

} // namespace cli
