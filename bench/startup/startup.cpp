// Measures rzm417 against a bare Qt QMainWindow in one run: the time from starting the
// process to its first painted frame, and the peak resident memory at that moment.
// The probes run in turn, so that a busy machine slows all alike; the medians and their
// ratios are printed. The goals hold against the bare window; the window with one label
// shows how much of the difference any window with text pays (the font system).
//
//   bench_startup [--quick] [runs] [platform]   (defaults: 15 runs, the offscreen platform)
//   --quick: one start of each probe, none discarded before; no ratio set against its goal
#include "quickmode.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QList>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <optional>

namespace {

struct Sample
{
    double ms;
    double mib;
};

struct Probe
{
    QString name;
    QString program;
    QList<Sample> samples;
};

// One start of a probe: the time until it reports its first frame, and the peak memory it
// reports. Gives up after 30 s and never leaves the process behind.
std::optional<Sample> measure(const QString &program, const QString &platform, QString &error)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardErrorFile(QProcess::nullDevice());

    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    QByteArray line;
    double ms = -1;
    while (clock.elapsed() < 30000) {
        if (process.canReadLine()) {
            line = process.readLine().trimmed();
            ms = clock.nsecsElapsed() / 1e6;
            break;
        }
        if (!process.waitForReadyRead(100) && process.state() == QProcess::NotRunning)
            break;
    }
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
    if (ms < 0 || !line.startsWith("frame ")) {
        error = QStringLiteral("%1 gave no frame (%2)").arg(program, process.errorString());
        return std::nullopt;
    }
    bool ok = false;
    const long kib = line.mid(6).toLong(&ok);
    if (!ok) {
        error = QStringLiteral("%1 printed \"%2\"").arg(program, QString::fromLatin1(line));
        return std::nullopt;
    }
    return Sample{ms, kib / 1024.0};
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QList<double> column(const QList<Sample> &samples, double Sample::*field)
{
    QList<double> values;
    for (const Sample &s : samples)
        values.append(s.*field);
    return values;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments();
    const bool quick = bench::takeQuick(args);
    const int runs = quick ? 1 : args.size() > 1 ? args[1].toInt() : 15;
    const QString platform = args.size() > 2 ? args[2] : QStringLiteral("offscreen");
    if (runs < 1) {
        err << "usage: bench_startup [--quick] [runs] [platform]\n";
        return 2;
    }

    const QDir here(app.applicationDirPath());
    QList<Probe> probes = {
        {QStringLiteral("rzm417"), here.filePath(QStringLiteral("bench_startup_rzm417")), {}},
        {QStringLiteral("bare QMainWindow"), here.filePath(QStringLiteral("bench_startup_bare")), {}},
        {QStringLiteral("QMainWindow+label"), here.filePath(QStringLiteral("bench_startup_text")), {}},
    };

    // One discarded start of each, so that both find the libraries in the page cache
    // (quick mode times the first starts as they come).
    for (const Probe &probe : quick ? QList<Probe>() : probes) {
        QString error;
        if (!measure(probe.program, platform, error)) {
            err << "bench_startup: " << error << "\n";
            return 1;
        }
    }
    for (int run = 0; run < runs; ++run) {
        // Rotate which probe goes first, so none always follows the same other.
        for (int k = 0; k < probes.size(); ++k) {
            Probe &probe = probes[(run + k) % probes.size()];
            QString error;
            const auto sample = measure(probe.program, platform, error);
            if (!sample) {
                err << "bench_startup: " << error << "\n";
                return 1;
            }
            probe.samples.append(*sample);
        }
    }

    out << "startup: " << runs << " runs each, interleaved, platform " << platform << "\n";
    out << qSetFieldWidth(19) << Qt::left << "" << qSetFieldWidth(0)
        << "first frame ms: median (min..max)   peak memory MiB: median\n";
    QList<double> medMs;
    QList<double> medMib;
    for (const Probe &probe : probes) {
        const QList<double> ms = column(probe.samples, &Sample::ms);
        medMs.append(median(ms));
        medMib.append(median(column(probe.samples, &Sample::mib)));
        out << qSetFieldWidth(19) << Qt::left << probe.name << qSetFieldWidth(0)
            << QString::asprintf("%8.1f (%.1f..%.1f)", medMs.last(), *std::min_element(ms.begin(), ms.end()),
                                 *std::max_element(ms.begin(), ms.end()))
            << QString::asprintf("%22.1f\n", medMib.last());
    }
    const double timeRatio = medMs[0] / medMs[1];
    const double memoryRatio = medMib[0] / medMib[1];
    if (quick)
        out << QString::asprintf("rzm417 / bare:      time %.2fx                     memory %.2fx\n", timeRatio,
                                 memoryRatio);
    else
        out << QString::asprintf("rzm417 / bare:      time %.2fx (goal <= 1.5x, %s)   memory %.2fx (goal <= 1.3x, %s)\n",
                                 timeRatio, timeRatio <= 1.5 ? "met" : "missed", memoryRatio,
                                 memoryRatio <= 1.3 ? "met" : "missed");
    out << QString::asprintf("rzm417 / label:     time %.2fx                     memory %.2fx\n",
                             medMs[0] / medMs[2], medMib[0] / medMib[2]);
    return 0;
}
