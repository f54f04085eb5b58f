#pragma once

// Runs the real rzm417-cli binary and collects what it printed.
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

struct CliRun
{
    int code = -1;
    QString out;
    QString err;
    qint64 ms = 0;

    // Every error the tool reports is one line.
    bool oneLineError() const
    {
        const QString e = err.trimmed();
        return !e.isEmpty() && !e.contains(QLatin1Char('\n')) && e.startsWith(QLatin1String("rzm417-cli: "));
    }
};

// With `stderrPath` the tool's standard error goes to that file or device (a
// terminal, to see the progress bar) instead of being collected.
inline CliRun runCli(const QStringList &arguments, int timeoutMs = 60000, const QString &stderrPath = QString())
{
    QProcess process;
    process.setProgram(QStringLiteral(RZM_CLI_PATH));
    if (!stderrPath.isEmpty())
        process.setStandardErrorFile(stderrPath, QIODevice::Append);
    process.setArguments(arguments);
    QElapsedTimer clock;
    clock.start();
    process.start();
    CliRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("timed out");
        return run;
    }
    run.ms = clock.elapsed();
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
