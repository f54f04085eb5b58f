// download and restore: one configuration into one or more modules, or a batch
// from a template, each module on a thread of its own, with an optional backup
// before the write, a read-back after it, and a log.
#include "cmd_device.h"
#include "commands.h"
#include "console.h"
#include "downloadlog.h"
#include "exitcodes.h"
#include "fieldcheck.h"
#include "linkoptions.h"
#include "modulebatch.h"
#include "progress.h"
#include "safewrite.h"

#include "core/transfer/transfertext.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <atomic>
#include <memory>
#include <vector>

namespace cli {
namespace {

constexpr QLatin1StringView kModules("modules");
constexpr QLatin1StringView kBackup("backup");
constexpr QLatin1StringView kForce("force");
constexpr QLatin1StringView kVerify("verify");
constexpr QLatin1StringView kLog("log");

void addSafeWriteOptions(QCommandLineParser &parser)
{
    parser.addOption({kModules, QStringLiteral("A batch: one module a row, the first column its port, the others text "
                                               "fields whose values replace the template's."), QStringLiteral("csv")});
    parser.addOption({kBackup, QStringLiteral("Read each module first and save what it holds into this folder as "
                                              "<time>-<port>-<module id>.k83; a module whose backup fails is not written."),
                      QStringLiteral("dir")});
    parser.addOption({kForce, QStringLiteral("With --backup: write a module even when its backup failed.")});
    parser.addOption({kVerify, QStringLiteral("Read each module back after the write and compare it field by field.")});
    parser.addOption({kLog, QStringLiteral("Append one CSV row a module to this file as each module is done."),
                      QStringLiteral("file")});
}

// The modules of --port: the file's configuration into each of them.
bool jobsForPorts(const QStringList &ports, const QString &path, const FormContent &form, const LinkSettings &settings,
                  std::vector<ModuleJob> *jobs, const Console &io)
{
    const auto text = transfer::buildTransferText(form, settings);
    if (!text.ok()) {
        const auto findings = downloadFindings(form, settings);
        io.error(QStringLiteral("%1: refused, nothing sent: %2").arg(shownPath(path), formatFinding(findings.value(0))));
        return false;
    }
    *jobs = std::vector<ModuleJob>(ports.size());
    for (int i = 0; i < ports.size(); ++i) {
        (*jobs)[i].form = form;
        (*jobs)[i].download.settings = settings;
        (*jobs)[i].download.settings.port = ports[i];
        (*jobs)[i].download.transferText = text.text;
    }
    return true;
}

// The modules of --modules: every row checked before any port is opened.
int jobsForBatch(const QString &csvPath, const FormContent &templateForm, const LinkSettings &settings,
                 std::vector<ModuleJob> *jobs, const Console &io)
{
    QByteArray csv;
    if (!readFile(csvPath, &csv, io))
        return ExitFile;
    const Batch batch = readBatch(QString::fromUtf8(csv), templateForm, settings);
    if (!batch.error.isEmpty()) {
        io.error(QStringLiteral("%1: %2; no port opened").arg(shownPath(csvPath), batch.error));
        return ExitRefused;
    }
    if (!batch.ok()) {
        int refused = 0;
        for (const auto &row : batch.rows) {
            io.out << formatBatchRow(row) << '\n';
            refused += row.ok() ? 0 : 1;
        }
        io.out.flush();
        io.error(QStringLiteral("%1: %2 of %3 rows refused; no port opened").arg(shownPath(csvPath)).arg(refused).arg(batch.rows.size()));
        return ExitRefused;
    }
    *jobs = std::vector<ModuleJob>(batch.rows.size());
    for (int i = 0; i < batch.rows.size(); ++i) {
        ModuleJob &job = (*jobs)[i];
        job.form = batch.rows[i].form;
        job.download.settings = settings;
        job.download.settings.port = batch.rows[i].port;
        job.download.transferText = transfer::buildTransferText(job.form, settings).text;
    }
    return -1;
}

// Everything that can be refused before a port is touched; -1 when all is well.
int prepare(const QCommandLineParser &parser, const LinkSettings &settings, std::vector<ModuleJob> *jobs,
            const Console &io)
{
    const QStringList ports = parser.values(kPort);
    const bool batch = parser.isSet(kModules);
    if (batch == !ports.isEmpty() || ports.contains(QString())) {
        io.error(batch ? QStringLiteral("give either --port or --modules, not both")
                 : ports.isEmpty() ? QStringLiteral("--port is required")
                                   : QStringLiteral("--port needs a port name"));
        return ExitUsage;
    }
    if (QSet<QString>(ports.begin(), ports.end()).size() != ports.size()) {
        io.error(QStringLiteral("a port is named twice"));
        return ExitUsage;
    }
    if (parser.isSet(kForce) && !parser.isSet(kBackup)) {
        io.error(QStringLiteral("--force goes with --backup"));
        return ExitUsage;
    }
    const QString path = parser.positionalArguments().at(0);
    FormContent form;
    if (!loadConfig(path, &form, io))
        return ExitFile;
    if (batch)
        return jobsForBatch(parser.value(kModules), form, settings, jobs, io);
    return jobsForPorts(ports, path, form, settings, jobs, io) ? -1 : ExitRefused;
}

// The backup folder, made when it is missing; false after a one-line error.
bool backupFolder(const QString &dir, const Console &io)
{
    if (dir.isEmpty())
        return true;
    if (!QDir().mkpath(dir) || !QFileInfo(dir).isDir() || !QFileInfo(dir).isWritable()) {
        io.error(QStringLiteral("%1: backup folder cannot be made or written to; no port opened").arg(shownPath(dir)));
        return false;
    }
    return true;
}

// Runs every module on a thread of its own; each logs its row the moment it is done.
void runJobs(std::vector<ModuleJob> &jobs, const SafeWriteOptions &options, DownloadLog *log, const Console &io,
             std::vector<char> *logged)
{
    QStringList ports;
    for (const auto &job : jobs)
        ports << job.download.settings.port;
    Progress progress(io.err, io.errIsTerminal, ports);
    logged->assign(jobs.size(), 1);
    // QThreads, since QSerialPort wants one; the release/acquire pair on `done` is the
    // order QThread::wait() already gives, in a form ThreadSanitizer can see.
    std::atomic<int> done{0};
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < int(jobs.size()); ++i) {
        threads.emplace_back(QThread::create([&jobs, &options, &progress, &done, log, logged, i] {
            runModuleJob(jobs[i], options, {&progress, i});
            if (log)
                (*logged)[i] = log->append(jobs[i], options) ? 1 : 0;
            done.fetch_add(1, std::memory_order_release);
        }));
        threads.back()->start();
    }
    for (auto &thread : threads)
        thread->wait();
    (void)done.load(std::memory_order_acquire);
    progress.finish();
}

// Each module's report lines, errors, log row and trace notes; the highest code.
int reportJobs(const std::vector<ModuleJob> &jobs, const SafeWriteOptions &options, const std::vector<char> &logged,
               const QCommandLineParser &parser, const Console &io, QList<const TraceLog *> *logs)
{
    int code = ExitOk;
    const QString path = parser.positionalArguments().at(0);
    for (int i = 0; i < int(jobs.size()); ++i) {
        const ModuleJob &job = jobs[i];
        const QStringList lines = job.report(options);
        io.lines(lines);
        for (const auto &line : job.errors)
            io.err << line << '\n';
        code = qMax(code, job.code());
        if (!logged[i]) {
            io.error(QStringLiteral("%1: the row of %2 was not written").arg(shownPath(parser.value(kLog)), job.download.settings.port));
            code = qMax<int>(code, ExitFile);
        }
        if (TraceLog *trace = job.download.trace.get()) {
            for (const auto &line : lines)
                trace->note(QStringLiteral("download %1: %2").arg(path, line.mid(job.download.settings.port.size() + 2)));
            logs->append(trace);
        }
    }
    return code;
}

int downloadCommand(const QStringList &arguments, const Console &io, bool restore)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(restore
        ? QStringLiteral("Writes a backup (or any configuration file) back into a module and reads it back to\n"
                         "compare: download with --verify. The exit code is the highest of the ports' codes.")
        : QStringLiteral("Writes a configuration file into one or more modules, one thread per port, with the\n"
                         "window's checks. Reports per port; the exit code is the highest of the ports' codes."));
    parser.addPositionalArgument(restore ? QStringLiteral("BACKUP") : QStringLiteral("FILE"),
                                 restore ? QStringLiteral("Configuration file to write back.")
                                         : QStringLiteral("Configuration file; with --modules the template."));
    addDeviceOptions(parser, QStringLiteral("Port of a module (COMn or a device path); repeat for more modules."));
    addSafeWriteOptions(parser);
    addFramingOptions(parser);
    addDownloadOptions(parser);
    const QString usage = restore ? QStringLiteral("restore [options] BACKUP --port P")
                                  : QStringLiteral("download [options] FILE (--port P [--port P2 ...] | --modules CSV)");
    if (const int code = parseArguments(parser, usage, arguments, 1, io); code >= 0)
        return code;
    LinkSettings settings;
    if (!linkSettings(parser, &settings, io))
        return ExitUsage;
    std::vector<ModuleJob> jobs;
    if (const int code = prepare(parser, settings, &jobs, io); code >= 0)
        return code;
    const SafeWriteOptions options{parser.value(kBackup), parser.isSet(kForce), restore || parser.isSet(kVerify)};
    if (!backupFolder(options.backupDir, io))
        return ExitFile;
    DownloadLog log;
    QString error;
    if (parser.isSet(kLog) && !log.open(parser.value(kLog), &error)) {
        io.error(QStringLiteral("%1: log cannot be written: %2; no port opened").arg(shownPath(parser.value(kLog)), error));
        return ExitFile;
    }

    QElapsedTimer clock;
    clock.start();
    for (auto &job : jobs)
        if (parser.isSet(kTrace))
            job.download.trace = std::make_unique<TraceLog>(job.download.settings.port, clock);
    std::vector<char> logged;
    runJobs(jobs, options, log.isOpen() ? &log : nullptr, io, &logged);

    QList<const TraceLog *> logs;
    int code = reportJobs(jobs, options, logged, parser, io, &logs);
    io.err.flush();
    if (!finishTrace(parser, logs, io) && code == ExitOk)
        code = ExitFile;
    return code;
}

} // namespace

int runDownload(const QStringList &arguments, const Console &io)
{
    return downloadCommand(arguments, io, false);
}

int runRestore(const QStringList &arguments, const Console &io)
{
    return downloadCommand(arguments, io, true);
}

} // namespace cli
