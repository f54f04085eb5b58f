#include "safewrite.h"

#include "console.h"
#include "core/safewrite/backupfile.h"
#include "devicejob.h"
#include "exitcodes.h"
#include "progress.h"

#include "core/serial/serialport.h"
#include "core/transfer/transfertext.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTextStream>

namespace cli {
namespace {

// A console whose lines stay in memory: each worker reports through its own, and
// the errors are printed in port order once every worker is done.
struct KeptConsole
{
    QString out;
    QString err;
    QTextStream outStream{&out};
    QTextStream errStream{&err};
    Console io{outStream, errStream, false};

    // The errors without the tool's name and the port, as phrases for a report.
    QString reason(const QString &port) const
    {
        QString text = err.trimmed().section(QLatin1Char('\n'), -1);
        text.remove(QRegularExpression(QStringLiteral("^rzm417-cli: ")));
        if (text.startsWith(port + QStringLiteral(": ")))
            text = text.mid(port.size() + 2);
        return text;
    }
    QStringList lines() const { return err.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

// Reads the module, saves what it holds, and reads the saved file back: the module
// may only be written once a backup that loads again is on disk.
void makeBackup(ModuleJob &job, const SafeWriteOptions &options, const ProgressSlot &progress)
{
    const QString &port = job.download.settings.port;
    KeptConsole console;
    QByteArray bytes;
    job.backupCode = fetchAnswer(port, job.download.settings, job.download.trace.get(), console.io, &bytes, progress);
    job.errors += console.lines();
    if (job.backupCode >= 0) {
        job.backupFailure = console.reason(port);
        return;
    }
    const safewrite::Backup backup = safewrite::takeBackup(bytes, options.backupDir, port, QDateTime::currentDateTimeUtc());
    if (!backup.config.ok()) {
        const ModuleConfig config = configFromAnswer(backup.config);
        job.backupCode = config.code;
        job.backupFailure = config.reason;
        return;
    }
    switch (backup.saved) {
    case safewrite::SaveStatus::Saved:
        job.backupPath = backup.path;
        job.backupCode = -1;
        return;
    case safewrite::SaveStatus::NotWritten:
        job.backupFailure = QStringLiteral("%1: not written: %2").arg(shownPath(backup.path), backup.error);
        break;
    case safewrite::SaveStatus::ReadsBackOtherwise:
        job.backupFailure = QStringLiteral("%1: does not read back as it was written").arg(shownPath(backup.path));
        break;
    }
    job.backupCode = ExitFile;
}

void write(ModuleJob &job, const ProgressSlot &progress)
{
    QElapsedTimer clock;
    clock.start();
    SerialPort port;
    attachTrace(port, job.download.trace.get());
    transfer::DownloadHooks hooks;
    hooks.setRange = [progress](int maximum) { progress.progress->setMaximum(progress.index, maximum); };
    hooks.setValue = [progress](int value) { progress.progress->setValue(progress.index, value); };
    job.download.outcome = transfer::runDownload(port, job.download.settings, job.download.transferText, hooks);
    job.download.ms = clock.elapsed();
    job.written = true;
}

void readBack(ModuleJob &job, const ProgressSlot &progress)
{
    const QString &port = job.download.settings.port;
    const auto expected = transfer::buildVerifyText(job.form, job.download.settings);
    KeptConsole console;
    QByteArray bytes;
    job.verifyCode = expected.ok()
        ? fetchAnswer(port, job.download.settings, job.download.trace.get(), console.io, &bytes, progress)
        : int(ExitRefused);
    job.errors += console.lines();
    if (job.verifyCode >= 0) {
        job.verifyFailure = expected.ok() ? console.reason(port)
                                          : QStringLiteral("%1 holds a character the module cannot take").arg(expected.fieldName);
        return;
    }
    job.verified = true;
    job.verdict = judgeAnswer(job.form, expected.text, bytes);
    job.verifyCode = job.verdict.kind == VerifyVerdict::Match ? ExitOk
        : job.verdict.kind == VerifyVerdict::Mismatch         ? ExitRefused
                                                              : ExitAnswer;
}

} // namespace

void runModuleJob(ModuleJob &job, const SafeWriteOptions &options, const ProgressSlot &progress)
{
    QElapsedTimer clock;
    clock.start();
    if (!options.backupDir.isEmpty())
        makeBackup(job, options, progress);
    if (job.backupFailure.isEmpty() || options.force)
        write(job, progress);
    if (options.verify && job.written && job.download.outcome == transfer::DownloadOutcome::Acknowledged)
        readBack(job, progress);
    job.totalMs = clock.elapsed();
    job.finished = QDateTime::currentDateTimeUtc();
}

int ModuleJob::code() const
{
    int code = ExitOk;
    if (!backupFailure.isEmpty())
        code = written ? ExitOk : backupCode;
    if (written)
        code = qMax(code, outcomeCode(download.outcome));
    if (verifyCode >= 0)
        code = qMax(code, verifyCode);
    return code;
}

QString ModuleJob::writeResult() const
{
    if (written)
        return outcomeText(download);
    return QStringLiteral("not written: no backup: %1").arg(backupFailure);
}

QString ModuleJob::verifyResult(const SafeWriteOptions &options) const
{
    if (!options.verify)
        return QStringLiteral("off");
    if (verified)
        return verdict.summary;
    if (!verifyFailure.isEmpty())
        return QStringLiteral("failed: %1").arg(verifyFailure);
    return written ? QStringLiteral("not run: the write failed") : QStringLiteral("not run: not written");
}

QStringList ModuleJob::report(const SafeWriteOptions &options) const
{
    const QString port = download.settings.port + QStringLiteral(": ");
    QStringList lines;
    if (!backupPath.isEmpty())
        lines << port + QStringLiteral("backup ") + shownPath(backupPath);
    else if (!backupFailure.isEmpty() && written)
        lines << port + QStringLiteral("no backup: %1; written without one (--force)").arg(backupFailure);
    else if (!backupFailure.isEmpty())
        lines << port + QStringLiteral("not written: no backup: %1 (--force writes without one)").arg(backupFailure);
    if (written)
        lines << port + outcomeText(download);
    if (options.verify && (written || verified))
        lines << port + QStringLiteral("verify: ") + verifyResult(options);
    for (const auto &detail : verdict.details)
        lines << port + QStringLiteral("  ") + detail;
    return lines;
}

} // namespace cli
