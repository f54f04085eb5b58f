// bench_readout: reads the simulator's stored configuration over a pty paced at
// 1200 baud, once through the core exchange and once through the main window's
// read-out command, and prints for each
//   - wall time / (wire time + 1.5 s closing silence), which is 1 for a reader
//     that loses no time of its own;
//   - the same ratio with the simulator's own slip taken out: a thread that
//     sleeps byte by byte sends somewhat slower than a real 1200-baud line;
//   - the CPU share of the reading thread over the whole read-out, and over the
//     closing silence alone (the core run).
// Usage: bench_readout [--quick] [runs]
//   --quick: one run against an unpaced simulator, no figure set against its goal
#include "benchwindow.h"
#include "quickmode.h"

#include "gui/app/mainwindow.h"
#include "modulesimulator.h"
#include "ptypair.h"
#include "sampleforms.h"

#include "core/fieldrules.h"
#include "core/serial/serialport.h"
#include "core/transfer/answer.h"
#include "core/transfer/readoutexchange.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

constexpr double kByteTimeS = 10.0 / 1200.0; // start bit, 8 data bits, stop bit
constexpr double kSilenceS = transfer::ReadoutPerByteMs / 1000.0;

struct Sample
{
    double wall = 0;
    double cpu = 0;
};

Sample now()
{
    timespec cpu{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    const auto wall = std::chrono::steady_clock::now().time_since_epoch();
    return {std::chrono::duration<double>(wall).count(), double(cpu.tv_sec) + double(cpu.tv_nsec) / 1e9};
}

// When the simulator began and ended its answer, from its trace.
struct AnswerClock
{
    std::atomic<double> requested{0};
    std::atomic<double> sent{0};

    void onTrace(const QString &line)
    {
        if (line.startsWith(QLatin1String("request: read-out")))
            requested = now().wall;
        else if (line.startsWith(QLatin1String("read-out sent")))
            sent = now().wall;
    }
};

void report(const char *name, const Sample &start, const Sample &end, const ModuleSimulator &sim,
            const AnswerClock &clock, bool ok, bool quick)
{
    const double wall = end.wall - start.wall;
    const double wire = double(sim.received().size() + sim.sent().size()) * kByteTimeS;
    const double slip = (clock.sent - clock.requested) - double(sim.sent().size()) * kByteTimeS;
    std::printf("%-6s wall %7.3f s  wire %6.3f s + silence %.3f s  ratio %.4f  "
                "without the simulator's slip of %.3f s %.4f%s  "
                "cpu %5.2f %% of a core%s%s\n",
                name, wall, wire, kSilenceS, wall / (wire + kSilenceS), slip, (wall - slip) / (wire + kSilenceS),
                bench::goal(quick, " (goal <= 1.01)"), 100.0 * (end.cpu - start.cpu) / wall,
                bench::goal(quick, " (goal <= 2 %)"), ok ? "" : "  READ-OUT FAILED");
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::flushEachLine();
    QStringList arguments = app.arguments();
    const bool quick = bench::takeQuick(arguments);
    const int runs = quick ? 1 : std::max(1, arguments.value(1, QStringLiteral("1")).toInt());
    // Whatever goes wrong ends the run with a message, not in a box that waits.
    bench::UnansweredBoxes boxes;

    PtyPair pty;
    if (!pty.isValid()) {
        std::fprintf(stderr, "bench_readout: no pty: %s\n", qPrintable(pty.errorString()));
        return 1;
    }
    // The module stores a form that uses every field; the read-out shows it as read back.
    const FormContent stored = fieldrules::readBack(fixtures::richForm());
    ModuleSimulator sim;
    AnswerClock clock;
    sim.setTraceSink([&clock](const QString &line) { clock.onTrace(line); });
    sim.setPaced(!quick); // unpaced, a read-out is over after its closing silence
    sim.setConfiguration(fixtures::richForm());
    sim.start(pty.takeMaster(), true);

    MainWindow window;
    LinkSettings settings = window.linkSettings();
    settings.port = pty.slavePath();
    window.setLinkSettings(settings);
    window.show();
    QApplication::processEvents();
    if (quick)
        std::printf("quick: one read-out of each kind on an unpaced line; no wire time passes, so the ratios "
                    "are not judged\n");

    bool allOk = true;
    for (int run = 0; run < runs; ++run) {
        // The core exchange, as a command-line tool would run it.
        sim.clearTranscript();
        qsizetype seen = 0;
        Sample lastByte;
        const Sample start = now();
        SerialPort port;
        transfer::ReadoutHooks hooks;
        hooks.step = [&](qsizetype received) {
            if (received != seen) {
                seen = received;
                lastByte = now();
            }
            return true;
        };
        const auto reception = transfer::runReadout(port, settings, hooks);
        port.close();
        const Sample end = now();
        const bool coreOk = reception.status == transfer::Reception::Status::Received
            && answer::read(answer::normalise(answer::rawText(reception.bytes))).content == stored;
        report("core", start, end, sim, clock, coreOk, quick);
        std::printf("       closing silence %.3f s, cpu %5.2f %% of a core\n", end.wall - lastByte.wall,
                    100.0 * (end.cpu - lastByte.cpu) / (end.wall - lastByte.wall));

        // The read-out command with its progress dialog. A timer samples the
        // thread's CPU time whenever the dialog lets events through. The emptied
        // form counts as stored, so the command asks nothing before it reads.
        bench::clearFormAsStored(window);
        sim.clearTranscript();
        QList<Sample> samples;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&samples] { samples.append(now()); });
        sampler.start(50);
        const Sample guiStart = now();
        window.readup();
        const Sample guiEnd = now();
        sampler.stop();
        const bool guiOk = window.captureForm() == stored;
        report("window", guiStart, guiEnd, sim, clock, guiOk, quick);
        const double silenceFrom = clock.sent - guiStart.wall > 0 ? clock.sent.load() : guiEnd.wall - kSilenceS;
        for (const Sample &s : samples) {
            if (s.wall < silenceFrom)
                continue;
            std::printf("       closing silence %.3f s (sampled), cpu %5.2f %% of a core\n", guiEnd.wall - s.wall,
                        100.0 * (guiEnd.cpu - s.cpu) / (guiEnd.wall - s.wall));
            break;
        }
        allOk = allOk && coreOk && guiOk;
    }
    sim.stop();
    return allOk && !boxes.seen() ? 0 : 1;
}
