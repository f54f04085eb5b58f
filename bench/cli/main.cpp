// Provisioning in parallel: rzm417-cli downloads one configuration into four
// simulated modules paced like real 1200-baud lines, and the same into one; prints
// the wall times and their ratio (the goal is at most 1.15).
#include "files/configfile.h"
#include "formcontent.h"
#include "modulesimulator.h"
#include "ptypair.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

FormContent benchForm()
{
    FormContent form = FormContent::defaults();
    const char *const names[] = {"m_pin", "m_id", "m_nev", "visszaallas", "be1_nev", "be2_nev", "rele_time",
                                 "ki3_on", "ki4_on", "ki3_off", "ki4_off", "be1_on_msg", "be1_off_msg",
                                 "be2_on_msg", "be2_off_msg"};
    for (const char *name : names)
        form.setText(QLatin1String(name), QStringLiteral("1"));
    for (int slot = 1; slot <= 64; ++slot)
        form.texts[27 + slot].text = QStringLiteral("3630%1").arg(1000000 + slot);
    return form;
}

// Downloads `file` into `count` fresh paced modules at once; wall time in ms, or -1.
qint64 provision(const QString &file, int count)
{
    std::vector<std::unique_ptr<PtyPair>> ptys;
    std::vector<std::unique_ptr<ModuleSimulator>> sims;
    QStringList arguments{QStringLiteral("download"), file};
    for (int i = 0; i < count; ++i) {
        ptys.push_back(std::make_unique<PtyPair>());
        sims.push_back(std::make_unique<ModuleSimulator>());
        sims.back()->setPaced(true);
        sims.back()->start(ptys.back()->masterFd());
        arguments << QStringLiteral("--port") << ptys.back()->slavePath();
    }
    QProcess cli;
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(RZM_CLI_PATH), arguments);
    const bool finished = cli.waitForFinished(120000);
    const qint64 ms = clock.elapsed();
    for (auto &sim : sims)
        sim->stop();
    if (!finished || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0) {
        std::fprintf(stderr, "download into %d modules failed: %s%s\n", count,
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
    if (!configfile::save(file, benchForm(), &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(file), qPrintable(error));
        return 1;
    }
    const qint64 one = provision(file, 1);
    const qint64 four = provision(file, 4);
    if (one <= 0 || four <= 0)
        return 1;
    std::printf("one module:   %7.2f s\n", one / 1000.0);
    std::printf("four modules: %7.2f s (in parallel, one thread per port)\n", four / 1000.0);
    std::printf("ratio four/one: %.3f (goal <= 1.15)\n", double(four) / double(one));
    return double(four) / double(one) <= 1.15 ? 0 : 2;
}
