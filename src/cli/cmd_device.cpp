// The commands that talk to modules: download, readout, verify.
#include "commands.h"
#include "console.h"
#include "devicejob.h"
#include "exitcodes.h"
#include "fieldcheck.h"
#include "files/configfile.h"
#include "linkoptions.h"
#include "progress.h"
#include "tracelog.h"
#include "verifyreport.h"

#include "serial/serialport.h"
#include "transfer/answer.h"
#include "transfer/downloadexchange.h"
#include "transfer/readoutexchange.h"
#include "transfer/transfertext.h"

#include <QElapsedTimer>
#include <QThread>

#include <memory>
#include <vector>

namespace cli {
namespace {

constexpr QLatin1StringView kPort("port");
constexpr QLatin1StringView kTrace("trace");

void addDeviceOptions(QCommandLineParser &parser, const QString &portHelp)
{
    parser.addOption({{QStringLiteral("p"), kPort}, portHelp, QStringLiteral("port")});
    parser.addOption({kTrace, QStringLiteral("Write a hex and text log of the exchange to this file."), QStringLiteral("file")});
}

// The link settings from the options; a usage error when one is bad.
bool linkSettings(const QCommandLineParser &parser, LinkSettings *settings, const Console &io)
{
    QString error;
    if (readLinkOptions(parser, settings, &error))
        return true;
    io.error(error);
    return false;
}

// One port for readout and verify.
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

// A trace for one port when --trace was given, timed from now.
std::unique_ptr<TraceLog> makeTrace(const QCommandLineParser &parser, const QString &portName)
{
    if (!parser.isSet(kTrace))
        return nullptr;
    QElapsedTimer clock;
    clock.start();
    return std::make_unique<TraceLog>(portName, clock);
}

// Writes the trace when one was asked for; a failure is an error of its own.
bool finishTrace(const QCommandLineParser &parser, const QList<const TraceLog *> &logs, const Console &io)
{
    if (!parser.isSet(kTrace))
        return true;
    QString error;
    if (writeTrace(parser.value(kTrace), logs, &error))
        return true;
    io.error(QStringLiteral("%1: trace not written: %2").arg(parser.value(kTrace), error));
    return false;
}

struct DownloadJob
{
    LinkSettings settings;
    transfer::DownloadOutcome outcome = transfer::DownloadOutcome::PortFailed;
    std::unique_ptr<TraceLog> trace;
    qint64 ms = 0;
};

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

// Opens, requests, receives and closes: the read request of readout and verify.
// Returns -1 on success, else the exit code after a one-line error.
int fetchAnswer(const QString &portName, const LinkSettings &settings, TraceLog *trace, const Console &io,
                QByteArray *bytes)
{
    Progress progress(io.err, io.errIsTerminal, {portName});
    progress.setMaximum(0, 1570);
    SerialPort port;
    attachTrace(port, trace);
    if (!readoutexchange::openPort(port, portName)) {
        io.error(QStringLiteral("%1: %2").arg(portName, portFailureText(portName)));
        return ExitPort;
    }
    const int first = readoutexchange::sendRequest(port, settings.uploadCommand);
    const auto reception = readoutexchange::receive(port, first, [&progress](qsizetype received) {
        progress.setValue(0, int(received));
        return received < MaxAnswerBytes;
    });
    port.close();
    progress.finish();
    if (reception.status == readoutexchange::Reception::Status::Cancelled) {
        io.error(QStringLiteral("%1: the answer runs past %2 bytes; stopped reading").arg(portName).arg(MaxAnswerBytes));
        return ExitAnswer;
    }
    *bytes = reception.bytes;
    return -1;
}

} // namespace

int runDownload(const QStringList &arguments, const Console &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a configuration file into one or more modules, one thread per port, with the\n"
        "window's checks. Reports per port; the exit code is the highest of the ports' codes."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Configuration file."));
    addDeviceOptions(parser, QStringLiteral("Port of a module (COMn or a device path); repeat for more modules."));
    addFramingOptions(parser);
    addDownloadOptions(parser);
    if (const int code = parseArguments(parser, QStringLiteral("download [options] FILE --port P [--port P2 ...]"), arguments, 1, io); code >= 0)
        return code;
    LinkSettings settings;
    if (!linkSettings(parser, &settings, io))
        return ExitUsage;
    const QStringList ports = parser.values(kPort);
    if (ports.isEmpty() || ports.contains(QString())) {
        io.error(ports.isEmpty() ? QStringLiteral("--port is required") : QStringLiteral("--port needs a port name"));
        return ExitUsage;
    }
    if (QSet<QString>(ports.begin(), ports.end()).size() != ports.size()) {
        io.error(QStringLiteral("a port is named twice"));
        return ExitUsage;
    }
    const QString path = parser.positionalArguments().at(0);
    FormContent form;
    if (!loadConfig(path, &form, io))
        return ExitFile;
    const auto text = transfer::buildTransferText(form, settings);
    if (!text.ok()) {
        const auto findings = downloadFindings(form, settings);
        io.error(QStringLiteral("%1: refused, nothing sent: %2").arg(path, formatFinding(findings.value(0))));
        return ExitRefused;
    }
    settings.transferText = text.text;

    QElapsedTimer clock;
    clock.start();
    Progress progress(io.err, io.errIsTerminal, ports);
    std::vector<DownloadJob> jobs(ports.size());
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < ports.size(); ++i) {
        DownloadJob &job = jobs[i];
        job.settings = settings;
        job.settings.port = ports[i];
        if (parser.isSet(kTrace))
            job.trace = std::make_unique<TraceLog>(ports[i], clock);
        threads.emplace_back(QThread::create([&job, &progress, i] {
            QElapsedTimer own;
            own.start();
            SerialPort port;
            attachTrace(port, job.trace.get());
            transfer::DownloadHooks hooks;
            hooks.setRange = [&progress, i](int maximum) { progress.setMaximum(i, maximum); };
            hooks.setValue = [&progress, i](int value) { progress.setValue(i, value); };
            job.outcome = transfer::runDownload(port, job.settings, hooks);
            job.ms = own.elapsed();
        }));
        threads.back()->start();
    }
    for (auto &thread : threads)
        thread->wait();
    progress.finish();

    int code = ExitOk;
    QList<const TraceLog *> logs;
    for (auto &job : jobs) {
        io.out << job.settings.port << ": " << outcomeText(job) << '\n';
        code = qMax(code, outcomeCode(job.outcome));
        if (job.trace) {
            job.trace->note(QStringLiteral("download %1: %2").arg(path, outcomeText(job)));
            logs.append(job.trace.get());
        }
    }
    io.out.flush();
    if (!finishTrace(parser, logs, io) && code == ExitOk)
        code = ExitFile;
    return code;
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
        const answer::Reading reading = answer::read(answer::normalise(answer::rawText(bytes)), FormContent::empty());
        const FormContent form = fitToFields(reading.content);
        const int marker = reading.ok() ? configfile::endMarkerText(form) : -1;
        if (bytes.isEmpty()) {
            io.error(QStringLiteral("%1: no answer; nothing written").arg(portName));
            code = ExitAnswer;
        } else if (!reading.ok()) {
            const QString text = answer::normalise(answer::rawText(bytes));
            io.error(QStringLiteral("%1: the answer cannot be read (%2); nothing written")
                         .arg(portName, readingFailureText(text, int(FormContent::empty().texts.size()))));
            code = ExitAnswer;
        } else if (marker >= 0) {
            io.error(QStringLiteral("%1: field %2 holds \"---\", which would end the file early; nothing written")
                         .arg(portName, form.texts[marker].name));
            code = ExitRefused;
        } else if (!saveConfig(output, form, io)) {
            code = ExitFile;
        } else {
            io.out << portName << ": read " << bytes.size() << " bytes, written to " << output << '\n';
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
                     .arg(path, expected.fieldName));
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
