// The commands that talk to modules: readout and verify, and what download shares.
#include "cmd_device.h"
#include "commands.h"
#include "console.h"
#include "devicejob.h"
#include "exitcodes.h"
#include "linkoptions.h"
#include "progress.h"
#include "tracelog.h"
#include "verifyreport.h"

#include "core/serial/serialport.h"
#include "core/transfer/downloadexchange.h"
#include "core/transfer/readoutexchange.h"
#include "core/transfer/transfertext.h"

#include <QElapsedTimer>

#include <memory>

namespace cli {

void addDeviceOptions(QCommandLineParser &parser, const QString &portHelp)
{
    parser.addOption({{QStringLiteral("p"), kPort}, portHelp, QStringLiteral("port")});
    parser.addOption({kTrace, QStringLiteral("Write a hex and text log of the exchange to this file."), QStringLiteral("file")});
}

bool linkSettings(const QCommandLineParser &parser, LinkSettings *settings, const Console &io)
{
    QString error;
    if (readLinkOptions(parser, settings, &error))
        return true;
    io.error(error);
    return false;
}

bool singlePort(const QCommandLineParser &parser, QString *port, const Console &io)
{
    const QStringList ports = parser.values(kPort);
    if (ports.size() == 1 && !ports.first().isEmpty()) {
        *port = ports.first();
        return true;
    }
    io.error(ports.isEmpty() ? QStringLiteral("--port is required") : QStringLiteral("give exactly one --port"));
    return false;
}

std::unique_ptr<TraceLog> makeTrace(const QCommandLineParser &parser, const QString &portName)
{
    if (!parser.isSet(kTrace))
        return nullptr;
    QElapsedTimer clock;
    clock.start();
    return std::make_unique<TraceLog>(portName, clock);
}

bool finishTrace(const QCommandLineParser &parser, const QList<const TraceLog *> &logs, const Console &io)
{
    if (!parser.isSet(kTrace))
        return true;
    QString error;
    if (writeTrace(parser.value(kTrace), logs, &error))
        return true;
    io.error(QStringLiteral("%1: trace not written: %2").arg(shownPath(parser.value(kTrace)), error));
    return false;
}

int outcomeCode(transfer::DownloadOutcome outcome)
{
    using transfer::DownloadOutcome;
    switch (outcome) {
    case DownloadOutcome::Acknowledged: return ExitOk;
    case DownloadOutcome::PortFailed: return ExitPort;
    default: return ExitAnswer;
    }
}

QString outcomeText(const DownloadJob &job)
{
    using transfer::DownloadOutcome;
    switch (job.outcome) {
    case DownloadOutcome::Acknowledged:
        return QStringLiteral("ok, acknowledged (%1 s)").arg(job.ms / 1000.0, 0, 'f', 1);
    case DownloadOutcome::PortFailed: return QStringLiteral("failed: port ") + portFailureText(job.settings.port);
    case DownloadOutcome::NoReady: return QStringLiteral("failed: no answer (no \"R\" within 5 s)");
    case DownloadOutcome::NotAcknowledged:
        return QStringLiteral("failed: configuration sent, but not acknowledged with \"%1\"").arg(QChar(job.settings.ackChar));
    case DownloadOutcome::Stopped: return QStringLiteral("failed: stopped");
    case DownloadOutcome::LineLost: return QStringLiteral("failed: the line was lost during the exchange");
    }
    return QString();
}

int fetchAnswer(const QString &portName, const LinkSettings &settings, TraceLog *trace, const Console &io,
                QByteArray *bytes, const ProgressSlot &shown)
{
    Progress own(io.err, io.errIsTerminal && !shown.progress, {portName});
    const ProgressSlot slot = shown.progress ? shown : ProgressSlot{&own, 0};
    slot.progress->setMaximum(slot.index, transfer::ReadoutAnswerBytes);
    SerialPort port;
    attachTrace(port, trace);
    LinkSettings link = settings;
    link.port = portName;
    transfer::ReadoutHooks hooks;
    hooks.step = [&slot](qsizetype received) {
        slot.progress->setValue(slot.index, int(received));
        return received < MaxAnswerBytes;
    };
    const auto reception = transfer::runReadout(port, link, hooks);
    if (reception.status == transfer::Reception::Status::PortFailure) {
        io.error(QStringLiteral("%1: %2").arg(portName, portFailureText(portName)));
        return ExitPort;
    }
    port.close();
    own.finish();
    if (reception.status == transfer::Reception::Status::Cancelled) {
        io.error(QStringLiteral("%1: the answer runs past %2 bytes; stopped reading").arg(portName).arg(MaxAnswerBytes));
        return ExitAnswer;
    }
    *bytes = reception.bytes;
    return -1;
}

int runReadout(const QStringList &arguments, const Console &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads the configuration stored in a module into a configuration file. The file is\n"
        "written only when the whole answer could be read."));
    addDeviceOptions(parser, QStringLiteral("Port of the module (COMn or a device path)."));
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("Configuration file to write."), QStringLiteral("file")});
    addReadOptions(parser);
    if (const int code = parseArguments(parser, QStringLiteral("readout [options] --port P -o FILE"), arguments, 0, io); code >= 0)
        return code;
    LinkSettings settings;
    QString portName;
    if (!linkSettings(parser, &settings, io) || !singlePort(parser, &portName, io))
        return ExitUsage;
    const QString output = parser.value(QStringLiteral("output"));
    if (output.isEmpty()) {
        io.error(QStringLiteral("-o FILE is required"));
        return ExitUsage;
    }
    const auto trace = makeTrace(parser, portName);
    QByteArray bytes;
    int code = fetchAnswer(portName, settings, trace.get(), io, &bytes);
    if (code < 0) {
        const ModuleConfig config = configFromAnswer(bytes);
        if (config.code >= 0) {
            io.error(QStringLiteral("%1: %2; nothing written").arg(portName, config.reason));
            code = config.code;
        } else if (!saveConfig(output, config.form, io)) {
            code = ExitFile;
        } else {
            io.out << portName << ": read " << bytes.size() << " bytes, written to " << shownPath(output) << '\n';
            code = ExitOk;
        }
    }
    if (trace)
        trace->note(QStringLiteral("readout: exit code %1").arg(code));
    if (!finishTrace(parser, {trace.get()}, io) && code == ExitOk)
        code = ExitFile;
    return code;
}

int runVerify(const QStringList &arguments, const Console &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Checks that a module holds exactly the configuration of a file, as the window's verify\n"
        "does, and on a mismatch names every differing field. Exit 0: match, 1: mismatch,\n"
        "4: no or unreadable answer."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Configuration file."));
    addDeviceOptions(parser, QStringLiteral("Port of the module (COMn or a device path)."));
    parser.addOption({QStringLiteral("separator"), QStringLiteral("Download separator character (default |)."), QStringLiteral("char")});
    addReadOptions(parser);
    if (const int code = parseArguments(parser, QStringLiteral("verify [options] FILE --port P"), arguments, 1, io); code >= 0)
        return code;
    LinkSettings settings;
    QString portName;
    if (!linkSettings(parser, &settings, io) || !singlePort(parser, &portName, io))
        return ExitUsage;
    const QString path = parser.positionalArguments().at(0);
    FormContent form;
    if (!loadConfig(path, &form, io))
        return ExitFile;
    const auto expected = transfer::buildVerifyText(form, settings);
    if (!expected.ok()) {
        io.error(QStringLiteral("%1: refused, port not touched: %2: holds a character the module cannot take")
                     .arg(shownPath(path), expected.fieldName));
        return ExitRefused;
    }
    const auto trace = makeTrace(parser, portName);
    QByteArray bytes;
    int code = fetchAnswer(portName, settings, trace.get(), io, &bytes);
    if (code < 0) {
        const VerifyVerdict verdict = judgeAnswer(form, expected.text, bytes);
        io.out << portName << ": " << verdict.summary << '\n';
        io.lines(verdict.details);
        code = verdict.kind == VerifyVerdict::Match ? ExitOk
            : verdict.kind == VerifyVerdict::Mismatch ? ExitRefused
                                                      : ExitAnswer;
        if (trace)
            trace->note(QStringLiteral("verify %1: %2").arg(path, verdict.summary));
    }
    if (!finishTrace(parser, {trace.get()}, io) && code == ExitOk)
        code = ExitFile;
    return code;
}

} // namespace cli
