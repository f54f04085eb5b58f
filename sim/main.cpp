// rzm417-sim: an RZM-417 module on a pseudo-terminal, for trying the program
// without hardware.
#include "modulesimulator.h"
#include "ptypair.h"
#include "simoptions.h"

#include "core/appinfo.h"
#include "core/serial/portnames.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <pthread.h>

namespace {

void print(const QString &line)
{
    std::printf("%s %s\n", qPrintable(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz"))),
                qPrintable(line));
    std::fflush(stdout);
}

// Links COMn in the port folder to the pty. A stale link of an earlier run (to a pty,
// or to nothing) is replaced; a link to a device that is there is an adapter's, and stays.
bool registerPort(const QString &link, const QString &target)
{
    QDir().mkpath(QFileInfo(link).absolutePath());
    const QFileInfo existing(link);
    if (existing.exists() || existing.isSymLink()) {
        if (!existing.isSymLink()) {
            std::fprintf(stderr, "rzm417-sim: %s exists and is not a link; not touching it\n", qPrintable(link));
            return false;
        }
        const QString taken = existing.symLinkTarget();
        if (existing.exists() && !taken.startsWith(QLatin1String("/dev/pts/"))) {
            std::fprintf(stderr, "rzm417-sim: %s is taken by %s; choose another --com\n", qPrintable(link),
                         qPrintable(taken));
            return false;
        }
        QFile::remove(link);
    }
    if (!QFile::link(target, link)) {
        std::fprintf(stderr, "rzm417-sim: cannot create %s\n", qPrintable(link));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("rzm417-sim"));
    app.setApplicationVersion(QLatin1String(appinfo::version));
    int exitCode = 0;
    const auto options = parseSimOptions(app, &exitCode);
    if (!options)
        return exitCode;

    // The signals that end the simulator are taken by this thread alone, in sigwait.
    sigset_t endSignals;
    sigemptyset(&endSignals);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&endSignals, s);
    pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);

    PtyPair pty;
    if (!pty.isValid()) {
        std::fprintf(stderr, "rzm417-sim: cannot create a pseudo-terminal: %s\n", qPrintable(pty.errorString()));
        return 1;
    }
    const QString link = options->com > 0 ? portnames::linkPath(options->com) : QString();
    if (!link.isEmpty() && !registerPort(link, pty.slavePath()))
        return 1;

    ModuleSimulator sim;
    sim.setBehaviour(options->behaviour);
    sim.setPaced(options->paced);
    const QStringList stored = loadStore(options->storePath);
    if (!stored.isEmpty())
        sim.setFields(stored);
    if (!options->quiet)
        sim.setTraceSink(print);
    const QString storePath = options->storePath;
    sim.setStoreSink([storePath](const QStringList &fields) {
        if (!saveStore(storePath, fields))
            print(QStringLiteral("cannot save the configuration to %1").arg(storePath));
    });

    std::printf("RZM-417 simulator on %s%s\n", qPrintable(pty.slavePath()),
                link.isEmpty() ? "" : qPrintable(QStringLiteral(" as %1 (%2)").arg(portnames::comName(options->com), link)));
    std::printf("stored configuration: %s%s\n", qPrintable(storePath), stored.isEmpty() ? " (new)" : "");
    std::printf("press Ctrl+C to stop\n");
    std::fflush(stdout);
    // The simulator owns the master, so --fault hangup really drops the line; the
    // program then sees the port vanish, and this command has to be started again.
    sim.start(pty.takeMaster(), true);

    int signal = 0;
    sigwait(&endSignals, &signal);
    sim.stop();
    if (!link.isEmpty() && QFileInfo(link).isSymLink() && QFileInfo(link).symLinkTarget() == pty.slavePath())
        QFile::remove(link);
    if (!options->quiet)
        print(QStringLiteral("ended by signal %1").arg(signal));
    return 0;
}
