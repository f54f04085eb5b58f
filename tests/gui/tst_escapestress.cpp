// Escape under stress: downloads cancelled at random moments (while the module
// keeps silent, while it answers, in the middle of the lines, after the outcome).
// Every one must end at once, close the port and leave it reopenable. Run under
// ThreadSanitizer by scripts/test --tsan, since the worker thread is stopped here.
#include "simlink.h"
#include "sampleforms.h"
#include "testseed.h"

#include <QRandomGenerator>
#include <QTest>

using Fault = SimBehaviour::Fault;

class tst_EscapeStress : public QObject
{
    Q_OBJECT
private slots:
    void hundredEscapes();
};

void tst_EscapeStress::hundredEscapes()
{
    QRandomGenerator random(fixtures::testSeed(417));
    constexpr int kRuns = 100;
    // Escape must end the dialog within this, whatever the worker was waiting for.
    constexpr qint64 kStopMs = 1000;

    MainWindow window;
    window.applyForm(fixtures::filledForm());
    const Fault faults[] = {Fault::None, Fault::Silence, Fault::NoSecondByte, Fault::None};
    int escapedRunning = 0;
    int escapedAfterOutcome = 0;
    qint64 slowestStopMs = 0;

    for (int run = 0; run < kRuns; ++run) {
        PtyPair pty;
        QVERIFY2(pty.isValid(), qPrintable(pty.errorString()));
        ModuleSimulator sim;
        SimBehaviour behaviour;
        behaviour.fault = faults[random.bounded(int(std::size(faults)))];
        if (random.bounded(4) == 0)
            behaviour.acknowledge = ""; // the worker then waits for the acknowledge
        sim.setBehaviour(behaviour);
        sim.setPaced(false);
        sim.start(pty.masterFd());
        LinkSettings settings = window.linkSettings();
        settings.port = pty.slavePath();
        window.setLinkSettings(settings);

        const int escapeAfterMs = random.bounded(120);
        qint64 escapedAt = -1;
        bool outcomeShown = false;
        ModalDriver modals(1);
        modals.confirmOutcome = false; // Escape also after the outcome
        modals.cancelWhen = [&](const ModalDriver::Progress &dialog) {
            if (dialog.ms < escapeAfterMs)
                return false;
            outcomeShown = dialog.outcome;
            escapedAt = dialog.ms;
            return true;
        };
        window.download();
        const qint64 returnedAt = modals.elapsedMs();

        const QByteArray where = QStringLiteral("run %1: fault %2, Escape after %3 ms")
                                     .arg(run).arg(int(behaviour.fault)).arg(escapeAfterMs).toLatin1();
        QVERIFY2(escapedAt >= 0, where.constData());
        QVERIFY2(returnedAt - escapedAt <= kStopMs, where.constData());
        slowestStopMs = qMax(slowestStopMs, returnedAt - escapedAt);
        (outcomeShown ? escapedAfterOutcome : escapedRunning)++;

        // The port is closed and can be opened again at once.
        QVERIFY2(openHandles(pty.slavePath()) == 1, where.constData());
        SerialPort again;
        QVERIFY2(again.open(pty.slavePath()), where.constData());
        again.close();
        sim.stop();
    }
    qInfo("%d escapes while the exchange ran, %d after the outcome; slowest stop %lld ms",
          escapedRunning, escapedAfterOutcome, slowestStopMs);
    QVERIFY(escapedRunning > kRuns / 2);
}

QTEST_MAIN(tst_EscapeStress)
#include "tst_escapestress.moc"
