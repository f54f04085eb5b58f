// bench_cli: rzm417-cli provisioning one module, and four at once (a thread per
// port), plain and as a safe write (--backup --verify: a read-out before and
// after each write). Each module is a simulator on a pty of its own, as four
// modules on four adapters would be, in this process and unpaced.
//
// A pty has no wire: it carries the program's bytes at once, or in bursts past a
// paced simulator, so the wall time of a run measures the pty more than the
// program. What the program adds on a real line is its turnaround where it must
// answer the module: from the module's "R" to the first byte of the text, from
// the text's last byte to reading the acknowledge, from a read request to the
// first read. The module measures those (median and worst of 20 runs); printed
// beside one byte time at 1200 baud, for one module and for four, whose threads
// must not slow each other's answers. A download on a 1200-baud line then takes
// its wire time plus those turnarounds. Unpaced, four exchanges write flat out at
// once and share the machine's cores, which a real line (a byte every 8.3 ms)
// never makes them do: the four-module worst is an upper bound.
// Usage: bench_cli [--quick] [runs]   (20 by default; --quick: one, no figure
// set against its goal)
#include "core/files/configfile.h"
#include "core/formcontent.h"
#include "core/formschema.h"
#include "core/linksettings.h"
#include "core/transfer/readoutexchange.h"
#include "core/transfer/transfertext.h"
#include "ptypair.h"
#include "quickmode.h"
#include "sampleforms.h"
#include "turnarounds.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

namespace {

// A simulated module on a pty of its own, unpaced, its turnarounds logged.
struct Module
{
    explicit Module(bench::TurnaroundLog &log)
    {
        sim.setPaced(false);
        log.attach(sim);
        sim.start(pty.masterFd());
    }
    PtyPair pty;
    ModuleSimulator sim;
};

// One command downloading `file` into the first `count` modules; false on a failure.
bool provision(const QString &file, const std::vector<std::unique_ptr<Module>> &modules, int count,
               const QStringList &options)
{
    QStringList arguments = QStringList{QStringLiteral("download"), file} + options;
    for (int i = 0; i < count; ++i)
        arguments << QStringLiteral("--port") << modules[i]->pty.slavePath();
    QProcess cli;
    cli.start(QStringLiteral(RZM_CLI_PATH), arguments);
    if (cli.waitForFinished(120000) && cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0)
        return true;
    std::fprintf(stderr, "download into %d module(s) failed:\n%s%s", count, cli.readAllStandardOutput().constData(),
                 cli.readAllStandardError().constData());
    return false;
}

struct Figures
{
    bench::Spread ready, ack, request;
};

// `runs` commands into `count` modules at once; the turnarounds the modules saw.
bool measure(const QString &file, const std::vector<std::unique_ptr<Module>> &modules, bench::TurnaroundLog &log,
             int count, int runs, const QStringList &options, Figures *figures)
{
    for (int run = 0; run < runs; ++run)
        if (!provision(file, modules, count, options))
            return false;
    *figures = {log.take(Turnaround::ReadyToText), log.take(Turnaround::TextToAckRead),
                log.take(Turnaround::RequestToRead)};
    return true;
}

// The turnarounds that add to one download on a line: median and worst, in ms.
std::pair<double, double> added(const Figures &f, int readOuts)
{
    return {f.ready.median + f.ack.median + readOuts * f.request.median,
            f.ready.worst + f.ack.worst + readOuts * f.request.worst};
}

void printOnLine(const char *what, double wireMs, const Figures &one, const Figures &four, int readOuts)
{
    const auto [oneMedian, oneWorst] = added(one, readOuts);
    const auto [fourMedian, fourWorst] = added(four, readOuts);
    std::printf("%s on a 1200-baud line: wire %.2f s + turnarounds %.2f ms median, %.2f ms worst (one module); "
                "%.2f / %.2f ms (four at once)\n",
                what, wireMs / 1000.0, oneMedian, oneWorst, fourMedian, fourWorst);
}

void printRow(const char *step, const bench::Spread &one, const bench::Spread &four, bool quick)
{
    std::printf("  %-40s one module ", step);
    bench::printSpread(one, quick);
    std::printf("   four modules ");
    bench::printSpread(four, quick);
    std::printf("\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    bench::flushEachLine();
    QStringList arguments = app.arguments();
    const bool quick = bench::takeQuick(arguments);
    const int runs = quick ? 1 : qMax(1, arguments.value(1, QStringLiteral("20")).toInt());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.k83"));
    QString error;
    if (!configfile::save(file, fixtures::richForm(), &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(file), qPrintable(error));
        return 1;
    }
    bench::TurnaroundLog log;
    std::vector<std::unique_ptr<Module>> modules;
    for (int i = 0; i < 4; ++i)
        modules.push_back(std::make_unique<Module>(log));

    // What a real line carries: "~}", "R" and one byte, the lines, "OK"; a
    // read-out: "~{", two carriage returns, 92 fields of 17 bytes and a last byte,
    // then the 1.5 s of silence that ends it.
    const auto text = transfer::buildTransferText(fixtures::richForm(), LinkSettings());
    const double lineMs = (2 + 2 + transfer::lineBytes(text.text, '|').size() + 2) * bench::kByteMs;
    const double readMs = (2 + 2 + formschema::TextCount * 17 + 1) * bench::kByteMs + transfer::ReadoutPerByteMs;
    const QStringList safe{QStringLiteral("--backup"), dir.filePath(QStringLiteral("backups")), QStringLiteral("--verify")};
    Figures one, four, safeOne, safeFour;
    if (!measure(file, modules, log, 1, runs, {}, &one) || !measure(file, modules, log, 4, runs, {}, &four)
        || !measure(file, modules, log, 1, runs, safe, &safeOne) || !measure(file, modules, log, 4, runs, safe, &safeFour))
        return 1;

    std::printf("turnarounds at the module's side, %d runs on unpaced ptys: median / worst (count) "
                "(one byte at 1200 baud: %.2f ms)\n", runs, bench::kByteMs);
    std::printf("download\n");
    printRow(bench::stepName(Turnaround::ReadyToText), one.ready, four.ready, quick);
    printRow(bench::stepName(Turnaround::TextToAckRead), one.ack, four.ack, quick);
    std::printf("download --backup --verify\n");
    printRow(bench::stepName(Turnaround::ReadyToText), safeOne.ready, safeFour.ready, quick);
    printRow(bench::stepName(Turnaround::TextToAckRead), safeOne.ack, safeFour.ack, quick);
    printRow(bench::stepName(Turnaround::RequestToRead), safeOne.request, safeFour.request, quick);
    printOnLine("download", lineMs, one, four, 0);
    printOnLine("download --backup --verify", lineMs + 2 * readMs, safeOne, safeFour, 2);
    return 0;
}
