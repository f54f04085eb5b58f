// bench_transfer: the download through the window, started as the user starts it.
//   turnarounds: at each step where the program must answer the module, how long
//     it takes, measured at the module's side of an unpaced pty, median and worst
//     of 20 runs, beside one byte time at 1200 baud (8.33 ms): from the module's
//     "R" to the first byte of the text, from the text's last byte to reading the
//     acknowledge, and (Kiolvasás) from the read request to the first read;
//   the download on a 1200-baud line: its wire time plus those turnarounds;
//   cpu: the program's CPU time over a download paced at 1200 baud by rzm417-sim
//     in a process of its own                              goal <= 2 % of one core
//   unpaced: whole download / raw write loop, same pty   goal <= 3x
// A pty has no wire. The paced simulator holds the program to the line's rate by
// stopping the pty, but a burst can slip past that stop, so the paced run's wall
// time says nothing about the program; only its CPU time is used, and a run that
// slipped makes the CPU share look larger, never smaller.
// Usage: bench_transfer [--quick] [--unpaced-only]
//   --unpaced-only: skips the 13 s paced run
//   --quick: one run of each step, the CPU share's on an unpaced line; no figure
//            set against its goal
#include "benchwindow.h"
#include "quickmode.h"

#include "core/fieldrules.h"
#include "core/transfer/transfertext.h"
#include "gui/app/mainwindow.h"
#include "gui/transfer/dload.h"
#include "gui/transfer/dlthread.h"
#include "ptypair.h"
#include "sampleforms.h"
#include "turnarounds.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct Simulator
{
    QProcess process;
    QString pty;

    bool start(const QString &store, bool paced)
    {
        QStringList args{QStringLiteral("--quiet"), QStringLiteral("--store"), store};
        if (!paced)
            args << QStringLiteral("--unpaced");
        process.start(QStringLiteral(RZM_SIM_BINARY), args);
        if (!process.waitForReadyRead(5000))
            return false;
        const QString first = QString::fromLocal8Bit(process.readLine()).trimmed();
        pty = first.section(QLatin1Char(' '), 3, 3); // "RZM-417 simulator on /dev/pts/N"
        return pty.startsWith(QLatin1String("/dev/"));
    }
    ~Simulator()
    {
        process.terminate();
        process.waitForFinished(3000);
    }
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Measured
{
    double wallMs = qQNaN(); // not measured when the download ended before its dialog was found
    double cpuMs = 0;
    bool success = false;
};

// One download() as the user starts it, timed from the slot's start to the worker's end.
// The worker starts before its dialog shows, and a busy machine may let it end before
// the poll finds the dialog: its outcome still counts, but it has no wall time then.
Measured download(MainWindow &window)
{
    Measured m;
    QElapsedTimer clock;
    bool hooked = false;
    bool settled = false;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<dload *>(QApplication::activeModalWidget());
        if (!dialog || hooked)
            return;
        hooked = true;
        poll.setInterval(200); // stay out of the way while the transfer runs
        // The end is taken on the worker's own thread; the dialog is closed on ours.
        QObject::connect(dialog->worker(), &QThread::finished, dialog,
                         [&] { m.wallMs = clock.nsecsElapsed() / 1e6; }, Qt::DirectConnection);
        // The worker's end has the dialog show its outcome (dlThread's own queued
        // call) before this runs: queued after it, or next when the worker had
        // ended before the dialog was found.
        const auto settle = [&, dialog] {
            if (settled)
                return;
            settled = true;
            m.success = dialog->succeeded();
            dialog->accept();
        };
        QObject::connect(dialog->worker(), &QThread::finished, dialog, settle, Qt::QueuedConnection);
        if (dialog->worker()->isFinished())
            QTimer::singleShot(0, dialog, settle);
    });
    poll.start();
    const double cpu0 = cpuSeconds();
    clock.start();
    window.download();
    m.cpuMs = (cpuSeconds() - cpu0) * 1000.0;
    return m;
}

double rawLoopMs(const QString &pty, const QByteArray &bytes)
{
    const int fd = ::open(pty.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return -1;
    QElapsedTimer clock;
    clock.start();
    for (char c : bytes)
        if (::write(fd, &c, 1) != 1)
            break;
    const double ms = clock.nsecsElapsed() / 1e6;
    ::usleep(200000); // let the module finish its answer, then drop it
    tcflush(fd, TCIOFLUSH);
    ::close(fd);
    return ms;
}

void pointAt(MainWindow &window, const QString &port)
{
    LinkSettings settings;
    settings.port = port;
    window.setLinkSettings(settings);
}

// The turnarounds of `runs` downloads and read-outs through the window, against
// a simulator in this process on an unpaced pty. False when a transfer failed.
bool turnarounds(MainWindow &window, double wireMs, int runs, bool quick)
{
    PtyPair pty;
    ModuleSimulator sim;
    bench::TurnaroundLog log;
    sim.setPaced(false);
    log.attach(sim);
    sim.start(pty.masterFd());
    pointAt(window, pty.slavePath());
    const FormContent form = window.captureForm();
    bool ok = true;
    for (int i = 0; i < runs; ++i)
        ok = download(window).success && ok;
    for (int i = 0; i < runs; ++i) {
        // The emptied form counts as stored, so the read-out asks nothing first.
        bench::clearFormAsStored(window);
        window.readup();
        ok = window.captureForm() == fieldrules::readBack(form) && ok;
    }
    sim.stop();
    window.applyForm(form);

    const bench::Spread ready = log.take(Turnaround::ReadyToText);
    const bench::Spread ack = log.take(Turnaround::TextToAckRead);
    std::printf("turnarounds at the module's side, %d runs on an unpaced pty: median / worst "
                "(one byte at 1200 baud: %.2f ms)\n", runs, bench::kByteMs);
    const std::pair<const char *, bench::Spread> rows[] = {
        {bench::stepName(Turnaround::ReadyToText), ready},
        {bench::stepName(Turnaround::TextToAckRead), ack},
        {"read request to the first read (Kiolvasás)", log.take(Turnaround::RequestToRead)},
    };
    for (const auto &[name, figures] : rows) {
        std::printf("  %-44s", name);
        bench::printSpread(figures, quick);
        std::printf("\n");
    }
    std::printf("download on a 1200-baud line: wire %.2f s + turnarounds %.2f ms (worst %.2f ms) = %.2f s%s\n",
                wireMs / 1000.0, ready.median + ack.median, ready.worst + ack.worst,
                (wireMs + ready.median + ack.median) / 1000.0, ok ? "" : "  A TRANSFER FAILED");
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::flushEachLine();
    QStringList arguments = app.arguments();
    const bool quick = bench::takeQuick(arguments);
    // Whatever goes wrong ends the run with a message, not in a box that waits.
    bench::UnansweredBoxes boxes;
    QTemporaryDir dir;
    MainWindow window;
    window.applyForm(fixtures::filledForm());
    const QString text = transfer::buildTransferText(window.captureForm(), LinkSettings()).text;
    const QByteArray lines = transfer::lineBytes(text, '|');
    const QByteArray toModule = QByteArray("~}") + lines;
    const int fromModule = 4; // "R", "D", "O", "K"
    const double wireMs = (toModule.size() + fromModule) * bench::kByteMs;

    if (quick)
        std::printf("quick: one run of each step; the CPU share's on an unpaced line; nothing judged\n");
    bool ok = turnarounds(window, wireMs, quick ? 1 : 20, quick);
    if (!arguments.contains(QStringLiteral("--unpaced-only"))) {
        Simulator sim;
        if (!sim.start(dir.filePath(QStringLiteral("paced.txt")), !quick)) {
            std::fprintf(stderr, "bench: cannot start %s\n", RZM_SIM_BINARY);
            return 1;
        }
        pointAt(window, sim.pty);
        const Measured m = download(window);
        ok = ok && m.success;
        std::printf("program CPU during a download %s: %.0f ms in %.2f s, %.2f %% of one core%s%s\n",
                    quick ? "on an unpaced line" : "paced at 1200 baud", m.cpuMs, m.wallMs / 1000.0,
                    100.0 * m.cpuMs / m.wallMs, bench::goal(quick, " (goal <= 2 %)"), m.success ? "" : " FAILED");
        if (!quick && m.wallMs < 0.97 * wireMs)
            std::printf("  (the pty let a burst past the pacing: %.2f s instead of the line's %.2f s, so the "
                        "share is larger than on a line)\n", m.wallMs / 1000.0, wireMs / 1000.0);
    }
    {
        Simulator sim;
        if (!sim.start(dir.filePath(QStringLiteral("unpaced.txt")), false)) {
            std::fprintf(stderr, "bench: cannot start %s\n", RZM_SIM_BINARY);
            return 1;
        }
        pointAt(window, sim.pty);
        QList<double> downloads, raws;
        bool unpacedOk = true;
        for (int i = 0; i < (quick ? 1 : 7); ++i) {
            const Measured m = download(window);
            unpacedOk = unpacedOk && m.success;
            if (!qIsNaN(m.wallMs))
                downloads.append(m.wallMs);
            raws.append(rawLoopMs(sim.pty, toModule));
        }
        const double d = bench::spread(downloads).median;
        const double r = bench::spread(raws).median;
        std::printf("unpaced pty: download %.2f ms, raw write loop %.2f ms, ratio %.2f%s%s\n", d, r, d / r,
                    bench::goal(quick, " (goal <= 3)"), unpacedOk ? "" : " FAILED");
        ok = ok && unpacedOk;
    }
    return ok && !boxes.seen() ? 0 : 1;
}
