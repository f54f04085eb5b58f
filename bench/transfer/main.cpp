// Prints how the download compares with what the line allows:
//   paced:   wall time / (wire time + protocol waits)   goal <= 1.01
//   cpu:     the program's CPU time / wall time          goal <= 2 %
//   unpaced: whole download / raw write loop, same pty   goal <= 3x
// The module is rzm417-sim in a process of its own, so the CPU figure is the program's.
// A pty has no wire: the paced simulator holds the program to 1200 baud by stopping the
// pty's output while it takes in a byte. The simulator learns of a written byte only
// once the kernel has passed it on and woken it; a hiccup of a millisecond or two there
// lets the program slip a burst past that stop (more often on a loaded machine, but on
// a quiet one too) and get ahead; the simulator then catches up (at most 3 s behind
// the program) and the ratio drops below 1. --unpaced-only skips the 13 s paced run.
#include "core/transfer/transfertext.h"
#include "gui/app/mainwindow.h"
#include "gui/transfer/dload.h"
#include "gui/transfer/dlthread.h"
#include "sampleforms.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr double kByteMs = 10.0 * 1000.0 / 1200.0;

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
    double wallMs = 0;
    double cpuMs = 0;
    bool success = false;
};

// One download() as the user starts it, timed from the slot's start to the worker's end.
Measured download(MainWindow &window)
{
    Measured m;
    QElapsedTimer clock;
    bool hooked = false;
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
        QObject::connect(dialog->worker(), &dlThread::ended, dialog, [&, dialog](transfer::DownloadOutcome outcome) {
            m.success = outcome == transfer::DownloadOutcome::Acknowledged;
            dialog->accept();
        }, Qt::QueuedConnection);
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

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    MainWindow window;
    window.applyForm(fixtures::filledForm());
    const QString text = transfer::buildTransferText(window.captureForm(), LinkSettings()).text;
    const QByteArray lines = transfer::lineBytes(text, '|');
    const QByteArray toModule = QByteArray("~}") + lines;
    const int fromModule = 4; // "R", "D", "O", "K"

    // --unpaced-only skips the 13 s of the paced run.
    if (!app.arguments().contains(QStringLiteral("--unpaced-only"))) {
        Simulator sim;
        if (!sim.start(dir.filePath(QStringLiteral("paced.txt")), true)) {
            std::fprintf(stderr, "bench: cannot start %s\n", RZM_SIM_BINARY);
            return 1;
        }
        LinkSettings settings;
        settings.port = sim.pty;
        window.setLinkSettings(settings);
        const Measured m = download(window);
        const double wire = (toModule.size() + fromModule) * kByteMs;
        std::printf("paced 1200 baud: %d bytes, download %.0f ms, wire + waits %.0f ms, ratio %.4f (goal <= 1.01)%s\n",
                    int(toModule.size() + fromModule), m.wallMs, wire, m.wallMs / wire, m.success ? "" : " FAILED");
        std::printf("program CPU during it: %.0f ms, %.2f %% of one core (goal <= 2 %%)\n", m.cpuMs,
                    100.0 * m.cpuMs / m.wallMs);
    }
    {
        Simulator sim;
        if (!sim.start(dir.filePath(QStringLiteral("unpaced.txt")), false))
            return 1;
        LinkSettings settings;
        settings.port = sim.pty;
        window.setLinkSettings(settings);
        QList<double> downloads, raws;
        bool ok = true;
        for (int i = 0; i < 7; ++i) {
            const Measured m = download(window);
            ok = ok && m.success;
            downloads.append(m.wallMs);
            raws.append(rawLoopMs(sim.pty, toModule));
        }
        const double d = median(downloads);
        const double r = median(raws);
        std::printf("unpaced pty: download %.2f ms, raw write loop %.2f ms, ratio %.2f (goal <= 3)%s\n", d, r, d / r,
                    ok ? "" : " FAILED");
    }
    return 0;
}
