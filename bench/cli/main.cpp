// Provisioning in parallel: rzm417-cli downloads one configuration into four
// simulated modules paced like real 1200-baud lines, and the same into one; prints
// the wall times and their ratio (the goal is at most 1.15). The same again as a
// safe write (--backup --verify: a read-out before and after each write).
//
// Each module is an rzm417-sim process of its own, as four modules on four adapters
// would be. A pty has no wire: the paced simulator holds the writer to 1200 baud by
// stopping the pty's output. The simulator learns of a written byte only once the
// kernel has passed it on and woken it; a hiccup of a millisecond or two there lets a
// fast writer slip a burst past the stop, even on a quiet machine, and the simulator
// then catches up (see bench/transfer).
#include "core/files/configfile.h"
#include "core/formcontent.h"
#include "core/formschema.h"
#include "core/linksettings.h"
#include "core/transfer/readoutexchange.h"
#include "core/transfer/transfertext.h"
#include "sampleforms.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

// One paced module on a pty of its own.
struct Module
{
    QProcess process;
    QString pty;

    bool start(const QString &store)
    {
        process.start(QStringLiteral(RZM_SIM_BINARY), {QStringLiteral("--quiet"), QStringLiteral("--store"), store});
        if (!process.waitForReadyRead(5000))
            return false;
        // "RZM-417 simulator on /dev/pts/N"
        pty = QString::fromLocal8Bit(process.readLine()).trimmed().section(QLatin1Char(' '), 3, 3);
        return pty.startsWith(QLatin1String("/dev/"));
    }
    ~Module()
    {
        process.terminate();
        process.waitForFinished(3000);
    }
};

// Downloads `file` into `count` fresh modules with one command; wall time in ms, or -1.
qint64 provision(const QString &file, int count, const QTemporaryDir &dir, const QStringList &options = {})
{
    static int run = 0;
    ++run;
    std::vector<std::unique_ptr<Module>> modules;
    QStringList arguments = QStringList{QStringLiteral("download"), file} + options;
    for (int i = 0; i < count; ++i) {
        modules.push_back(std::make_unique<Module>());
        if (!modules.back()->start(dir.filePath(QStringLiteral("store%1-%2.txt").arg(run).arg(i)))) {
            std::fprintf(stderr, "simulator %d did not start\n", i);
            return -1;
        }
        arguments << QStringLiteral("--port") << modules.back()->pty;
    }
    QProcess cli;
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(RZM_CLI_PATH), arguments);
    const bool finished = cli.waitForFinished(120000);
    const qint64 ms = clock.elapsed();
    if (!finished || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0) {
        std::fprintf(stderr, "download into %d module(s) failed:\n%s%s", count,
                     cli.readAllStandardOutput().constData(), cli.readAllStandardError().constData());
        return -1;
    }
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.k83"));
    QString error;
    if (!configfile::save(file, fixtures::richForm(), &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(file), qPrintable(error));
        return 1;
    }
    // What a real line needs: "~}", "R" and one byte, the lines, "OK"; 10 bits a byte.
    // A read-out: "~{", then two carriage returns, 92 fields of 17 bytes and a last
    // byte, then the 1.5 s of silence that ends it.
    const auto text = transfer::buildTransferText(fixtures::richForm(), LinkSettings());
    const double lineMs = (2 + 2 + transfer::lineBytes(text.text, '|').size() + 2) * 10 * 1000.0 / 1200;
    const double readMs = (2 + 2 + formschema::TextCount * 17 + 1) * 10 * 1000.0 / 1200 + transfer::ReadoutPerByteMs;
    const QStringList safe{QStringLiteral("--backup"), dir.filePath(QStringLiteral("backups")), QStringLiteral("--verify")};
    const qint64 one = provision(file, 1, dir);
    const qint64 four = provision(file, 4, dir);
    const qint64 safeOne = provision(file, 1, dir, safe);
    const qint64 safeFour = provision(file, 4, dir, safe);
    if (one <= 0 || four <= 0 || safeOne <= 0 || safeFour <= 0)
        return 1;
    // A simulator that lost the pace (a burst slipped past the stop) catches up, and the run is then
    // shorter than the line allows: such a figure compares nothing.
    const bool paced = qMin(one, four) >= 0.97 * lineMs && qMin(safeOne, safeFour) >= 0.97 * (lineMs + 2 * readMs);
    const double ratio = double(four) / double(one);
    const double safeRatio = double(safeFour) / double(safeOne);
    std::printf("line time:    %7.2f s at 1200 baud; with backup and read-back %.2f s\n", lineMs / 1000.0,
                (lineMs + 2 * readMs) / 1000.0);
    std::printf("download                     one module %7.2f s   four modules %7.2f s   ratio %.3f%s\n", one / 1000.0,
                four / 1000.0, ratio, ratio <= 1.15 ? "" : "  MISSED");
    std::printf("download --backup --verify   one module %7.2f s   four modules %7.2f s   ratio %.3f%s\n",
                safeOne / 1000.0, safeFour / 1000.0, safeRatio, safeRatio <= 1.15 ? "" : "  MISSED");
    std::printf("(one command each, one thread per port; goal: ratio <= 1.15)\n");
    if (!paced)
        std::printf("NOT PACED: a run finished faster than the line allows; the simulators lost the pace "
                    "(the pty let the program's bytes through in a burst: the simulator traces \"ran ahead\"), "
                    "so the ratios compare unpaced writes. Run again; a quieter machine slips less often.\n");
    return paced && ratio <= 1.15 && safeRatio <= 1.15 ? 0 : 2;
}
