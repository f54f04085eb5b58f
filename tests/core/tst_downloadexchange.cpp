#include "core/serial/serialport.h"
#include "core/transfer/downloadexchange.h"
#include "core/transfer/transfertext.h"
#include "modulesimulator.h"
#include "ptypair.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTest>

#include <memory>
#include <thread>

using transfer::DownloadOutcome;
using Fault = SimBehaviour::Fault;

namespace {

// One download against its own simulator; several run side by side so the
// cases that must wait out 5000 ms cost that time only once.
struct Run
{
    QString name;
    SimBehaviour behaviour;
    bool ownLine = false; // the simulator may hang up only a line it owns
    DownloadOutcome expected;
    QByteArray expectedSent;
    int minMs = 0;
    int maxMs = 0;
    struct Result
    {
        DownloadOutcome outcome = DownloadOutcome::Stopped;
        QByteArray sent;
        QByteArray received;
        qint64 elapsed = 0;
        int lastProgress = -1;
        int maximum = 0;
        bool closed = false;
        bool reopened = false;
    } got = {};
};

LinkSettings settingsFor(const QString &port)
{
    LinkSettings settings;
    settings.port = port;
    return settings;
}

QString sampleText()
{
    QStringList fields;
    for (int i = 0; i < ModuleSimulator::FieldCount; ++i)
        fields.append(QStringLiteral("field %1").arg(i).leftJustified(transfer::FieldWidth));
    return fields.join(QLatin1Char('|'));
}

void perform(Run *run)
{
    PtyPair pty;
    ModuleSimulator sim;
    sim.setPaced(false);
    sim.setBehaviour(run->behaviour);
    sim.start(run->ownLine ? pty.takeMaster() : pty.masterFd(), run->ownLine);
    const LinkSettings settings = settingsFor(pty.slavePath());

    SerialPort port;
    transfer::DownloadHooks hooks;
    hooks.setRange = [run](int maximum) { run->got.maximum = maximum; };
    hooks.setValue = [run](int value) { run->got.lastProgress = value; };
    QElapsedTimer timer;
    timer.start();
    run->got.outcome = transfer::runDownload(port, settings, sampleText(), hooks);
    run->got.elapsed = timer.elapsed();
    sim.waitForExchanges(1, 1000);
    sim.stop();
    run->got.sent = sim.sent();
    run->got.received = sim.received();
    run->got.closed = !port.isOpen();
    SerialPort again; // the exchange must have let go of the port (a hung-up line cannot reopen)
    run->got.reopened = run->ownLine || again.open(pty.slavePath());
}

} // namespace

class tst_DownloadExchange : public QObject
{
    Q_OBJECT
private slots:
    void outcomesSideBySide();
    void missingPort();
    void stopRequestEndsAtOnce();
};

void tst_DownloadExchange::outcomesSideBySide()
{
    const QByteArray lines = transfer::lineBytes(sampleText(), '|');
    QCOMPARE(lines.size(), 92 * 17);
    const int fullBar = 1563 + 20;

    QList<Run> runs;
    SimBehaviour b;
    // Each bound leaves a busy machine room, but not a further 5000 ms wait.
    runs.append({"O K", b, false, DownloadOutcome::Acknowledged, "RDOK", 0, 4000, {}});
    b.acknowledge = "xO";
    runs.append({"x O", b, false, DownloadOutcome::Acknowledged, "RDxO", 0, 4000, {}});
    b.acknowledge = "xy";
    runs.append({"x y", b, false, DownloadOutcome::NotAcknowledged, "RDxy", 0, 4000, {}});
    b.acknowledge = "O";
    runs.append({"O alone waits once", b, false, DownloadOutcome::Acknowledged, "RDO", 5000, 9000, {}});
    b.acknowledge = "";
    runs.append({"no answer waits twice", b, false, DownloadOutcome::NotAcknowledged, "RD", 10000, 14000, {}});
    b = SimBehaviour();
    b.fault = Fault::NoReady;
    runs.append({"no R", b, false, DownloadOutcome::NoReady, "", 5000, 9000, {}});
    b.fault = Fault::NoSecondByte;
    runs.append({"R alone", b, false, DownloadOutcome::Acknowledged, "ROK", 5000, 9000, {}});
    b.fault = Fault::Garbage;
    b.garbageBytes = 30;
    runs.append({"garbage", b, false, DownloadOutcome::NoReady, QByteArray(), 0, 4000, {}});
    b.fault = Fault::HangUp;
    b.hangUpAfter = 400;
    runs.append({"hang-up", b, true, DownloadOutcome::LineLost, "RD", 0, 4000, {}});

    // std::thread, not QThread: the join is then visible to ThreadSanitizer, which
    // cannot see the futex behind QThread::wait() and would report every result.
    std::vector<std::thread> threads;
    for (Run &run : runs)
        threads.emplace_back(perform, &run);
    for (auto &t : threads)
        t.join();

    for (const Run &run : runs) {
        const QByteArray context = run.name.toUtf8();
        QVERIFY2(run.got.outcome == run.expected, context);
        QVERIFY2(run.got.elapsed >= run.minMs && run.got.elapsed < run.maxMs,
                 context + " took " + QByteArray::number(run.got.elapsed));
        if (run.behaviour.fault != Fault::Garbage)
            QVERIFY2(run.got.sent == run.expectedSent, context + ": " + run.got.sent);
        QVERIFY2(run.got.maximum == fullBar, context);
        QVERIFY2(run.got.closed && run.got.reopened, context + ": port left open");
        const bool ready = run.got.sent.startsWith('R');
        if (run.behaviour.fault == Fault::HangUp) {
            // The lines were already in the pty when the line dropped: the module got only
            // part of them (400 bytes of the exchange, 2 of them its own), and the download ended at once instead of waiting twice.
            QVERIFY2(run.got.received.size() == 400 - 2, context);
        } else if (ready) {
            QVERIFY2(run.got.received == QByteArray("~}") + lines, context);
            QVERIFY2(run.got.lastProgress == 20 + lines.size(), context); // one step a byte, beyond the bar
        } else {
            QVERIFY2(run.got.received == "~}", context);
            QVERIFY2(run.got.lastProgress == -1, context); // the bar stayed empty
        }
    }
}

void tst_DownloadExchange::missingPort()
{
    LinkSettings settings = settingsFor(QStringLiteral("/dev/rzm417-no-such-port"));
    SerialPort port;
    QTest::ignoreMessage(QtDebugMsg, "unable to open comport");
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(transfer::runDownload(port, settings, sampleText(), {}), DownloadOutcome::PortFailed);
    QVERIFY(timer.elapsed() < 2500); // no time-out waited
    QVERIFY(!port.isOpen());
}

void tst_DownloadExchange::stopRequestEndsAtOnce()
{
    PtyPair pty;
    ModuleSimulator sim; // paced: the lines take 13 s on the line
    sim.start(pty.masterFd());
    SerialPort port;
    std::atomic<bool> stop{false};
    std::atomic<int> progress{0};
    transfer::DownloadHooks hooks;
    hooks.setValue = [&progress](int value) { progress = value; };
    hooks.stopRequested = [&stop] { return stop.load(); };
    DownloadOutcome outcome = DownloadOutcome::Acknowledged;
    std::thread worker([&] { outcome = transfer::runDownload(port, settingsFor(pty.slavePath()), sampleText(), hooks); });
    // A failed check returns early: the worker must still be stopped and joined.
    const auto joinWorker = qScopeGuard([&] {
        stop = true;
        if (worker.joinable())
            worker.join();
    });
    // The module takes the lines at line rate and holds the program to it: stop the
    // download while it is sending.
    QTRY_VERIFY_WITH_TIMEOUT(progress > 100, 3000);
    QElapsedTimer timer;
    timer.start();
    stop = true;
    worker.join();
    // The waits are sliced: not the line's 13 s, nor a 5000 ms time-out.
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(outcome, DownloadOutcome::Stopped);
    QVERIFY(!port.isOpen());
    const QByteArray expected = QByteArray("~}") + transfer::lineBytes(sampleText(), '|');
    const QByteArray got = sim.received();
    QVERIFY(got.size() < expected.size());
    QCOMPARE(got, expected.left(got.size()));
}

QTEST_GUILESS_MAIN(tst_DownloadExchange)
#include "tst_downloadexchange.moc"
