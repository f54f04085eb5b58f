// The download end to end: the real window and dialog, QSerialPort on a real pty,
// the simulated module on the other side, exact bytes asserted both ways.
#include "core/serial/serialport.h"
#include "core/transfer/transfertext.h"
#include "gui/app/mainwindow.h"
#include "gui/transfer/dload.h"
#include "gui/transfer/dlthread.h"
#include "gui/transfer/outcometexts.h"
#include "modaldriver.h"
#include "modulesimulator.h"
#include "ptypair.h"
#include "sampleforms.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QSerialPort>
#include <QTest>
#include <QTimer>

using Fault = SimBehaviour::Fault;

namespace {

const QString kFailure = QString::fromUtf8("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a portbeállításokat.");
const QString kSuccess = QString::fromUtf8("Sikeres betöltés.");
// The line under the failure that says why.
const QString kNoAcknowledge = QString::fromUtf8("\nA modul nem nyugtázta a beküldött szöveget.");
const QString kNoSuchPort = QStringLiteral("/dev/rzm417-no-such-port");
const QString kPortMissing = QStringLiteral("\n/dev/rzm417-no-such-port cannot be opened: missing (adapter unplugged).");

// What the user saw of one download.
struct Seen
{
    QString boxTitle;
    QString boxText;
    bool dialogShown = false;
    QString dialogTitle;
    QString outcome;        // the status text once the outcome replaced "Betöltés..."
    qint64 outcomeAt = -1;  // ms after download() began
    qint64 escapeAt = -1;
    int barMaximum = 0;
    int barValue = 0;
    bool okEnabled = false;
    bool cancelGone = false;
    bool closeIgnored = false;
    int closeTimerMs = -1;  // the single-shot timer that closes a success
    qint64 returnedAt = -1;
};

enum class Act { Wait, ClickOk, EscapeMidway };

Seen runDownload(MainWindow &window, Act act)
{
    Seen seen;
    ModalDriver modals;
    modals.confirmOutcome = act == Act::ClickOk;
    if (act == Act::EscapeMidway)
        modals.cancelWhen = [](const ModalDriver::Progress &p) { return p.value > 100; };
    // The dialog as it shows its outcome: the buttons, its timer, a close request.
    modals.whileOpen = [&seen](const ModalDriver::Shown &shown) {
        auto *dialog = qobject_cast<dload *>(shown.window);
        if (!dialog) {
            seen.boxTitle = shown.title;
            seen.boxText = shown.text;
            return;
        }
        seen.dialogTitle = shown.title;
        seen.outcome = shown.text;
        seen.outcomeAt = shown.atMs;
        auto *buttons = dialog->findChild<QDialogButtonBox *>("buttonBox");
        if (!buttons)
            return ModalDriver::abandon(dialog, "the download dialog lacks its buttonBox");
        seen.okEnabled = buttons->isEnabled() && buttons->button(QDialogButtonBox::Ok);
        seen.cancelGone = !buttons->button(QDialogButtonBox::Cancel);
        if (auto *closeTimer = dialog->findChild<QTimer *>("closeTimer"); closeTimer && closeTimer->isSingleShot())
            seen.closeTimerMs = closeTimer->interval();
        dialog->close();
        seen.closeIgnored = dialog->isVisible();
    };
    window.download();
    seen.returnedAt = modals.elapsedMs();
    seen.dialogShown = modals.progress.download;
    seen.barMaximum = modals.progress.maximum;
    seen.barValue = modals.progress.value;
    seen.escapeAt = modals.cancelledAtMs;
    return seen;
}

// A window pointed at a fresh pty with a simulator behind it.
struct Bench
{
    explicit Bench(const SimBehaviour &behaviour = {}, bool paced = false)
    {
        sim.setPaced(paced);
        sim.setBehaviour(behaviour);
        sim.start(pty.masterFd());
        LinkSettings settings;
        settings.port = pty.slavePath();
        window.setLinkSettings(settings);
        window.applyForm(fixtures::filledForm());
    }
    bool portFree()
    {
        SerialPort port;
        return port.open(pty.slavePath());
    }

    PtyPair pty;
    ModuleSimulator sim;
    MainWindow window;
};

} // namespace

class tst_Download : public QObject
{
    Q_OBJECT
private slots:
    void acknowledge_data();
    void acknowledge();
    void noReadyWaitsThenFails();
    void missingPort();
    void busyPort();
    void escapeStopsWorker();
    void workerSignalsOutcome_data();
    void workerSignalsOutcome();
    void languageChangeRestoresTexts();
    void refusedBeforePort_data();
    void refusedBeforePort();
};

void tst_Download::acknowledge_data()
{
    QTest::addColumn<QByteArray>("ack");
    QTest::addColumn<bool>("success");
    QTest::newRow("O K") << QByteArray("OK") << true;
    QTest::newRow("x O") << QByteArray("xO") << true;
    QTest::newRow("x y") << QByteArray("xy") << false;
}

void tst_Download::acknowledge()
{
    QFETCH(QByteArray, ack);
    QFETCH(bool, success);
    SimBehaviour behaviour;
    behaviour.acknowledge = ack;
    Bench bench(behaviour);
    FormContent form = fixtures::filledForm();
    form.setText(QStringLiteral("t1"), QStringLiteral("36301234567"));
    form.boxes[0] = true;
    bench.window.applyForm(form);

    const Seen seen = runDownload(bench.window, success ? Act::Wait : Act::ClickOk);

    const QString text = transfer::buildTransferText(form, LinkSettings()).text;
    QCOMPARE(bench.sim.received(), QByteArray("~}") + transfer::lineBytes(text, '|'));
    QCOMPARE(bench.sim.sent(), QByteArray("RD") + ack);
    QCOMPARE(seen.dialogTitle, QStringLiteral("Download"));
    QCOMPARE(seen.outcome, success ? kSuccess : kFailure + kNoAcknowledge);
    QCOMPARE(seen.barMaximum, 1563 + 20);
    QCOMPARE(seen.barValue, 1563 + 20);
    QVERIFY(seen.okEnabled);
    QVERIFY(seen.cancelGone);
    QVERIFY(seen.closeIgnored);
    if (!success)
        QCOMPARE(seen.closeTimerMs, -1);
    // The module holds the form after a success: nothing is left unsaved.
    QTRY_COMPARE(bench.window.isWindowModified(), !success);
    if (success) {
        QCOMPARE(bench.sim.fields(), transfer::fields(form));
        QCOMPARE(seen.closeTimerMs, 2000);
        // The outcome is seen by polling, a little after it was shown.
        const qint64 shown = seen.returnedAt - seen.outcomeAt;
        QVERIFY2(shown >= 1700 && shown < 4000, qPrintable(QString::number(shown)));
    }
    QVERIFY(bench.portFree());
}

void tst_Download::noReadyWaitsThenFails()
{
    SimBehaviour behaviour;
    behaviour.fault = Fault::NoReady;
    Bench bench(behaviour);
    const Seen seen = runDownload(bench.window, Act::ClickOk);
    QCOMPARE(seen.outcome, kFailure + QLatin1Char('\n')
                               + outcometexts::downloadFailure(transfer::DownloadOutcome::NoReady, QString()));
    // One wait for "R", not two.
    QVERIFY2(seen.outcomeAt >= 5000 && seen.outcomeAt < 9000, qPrintable(QString::number(seen.outcomeAt)));
    QVERIFY(seen.barValue < 0); // reset: shown empty
    QCOMPARE(seen.barMaximum, 1583);
    QCOMPARE(bench.sim.received(), QByteArray("~}"));
    QCOMPARE(bench.sim.sent(), QByteArray());
    QVERIFY(seen.closeIgnored);
    QVERIFY(bench.portFree());
}

void tst_Download::missingPort()
{
    MainWindow window;
    window.applyForm(fixtures::filledForm());
    LinkSettings settings;
    settings.port = kNoSuchPort;
    window.setLinkSettings(settings);
    QTest::ignoreMessage(QtDebugMsg, "unable to open comport");
    const Seen seen = runDownload(window, Act::ClickOk);
    QCOMPARE(seen.outcome, kFailure + kPortMissing);
    QVERIFY(seen.outcomeAt < 2500); // no time-out waited
    QVERIFY(seen.barValue < 0);
}

// Another program holds the port: the outcome names it, as the ports doctor does.
void tst_Download::busyPort()
{
    Bench bench;
    QSerialPort holder(bench.pty.slavePath());
    QVERIFY(holder.open(QIODevice::ReadWrite));
    QTest::ignoreMessage(QtDebugMsg, "unable to open comport");
    const Seen seen = runDownload(bench.window, Act::ClickOk);
    QCOMPARE(seen.outcome, kFailure
                               + QStringLiteral("\n%1 cannot be opened: in use by tst_download (PID %2).")
                                     .arg(bench.pty.slavePath())
                                     .arg(QCoreApplication::applicationPid()));
    QVERIFY(seen.outcomeAt < 2500);
    QCOMPARE(bench.sim.received(), QByteArray());
}

void tst_Download::escapeStopsWorker()
{
    Bench bench(SimBehaviour(), true); // paced: the lines take 13 s on the line
    const Seen seen = runDownload(bench.window, Act::EscapeMidway);
    QVERIFY(seen.escapeAt > 0);
    QCOMPARE(seen.outcomeAt, qint64(-1));
    const qint64 stopped = seen.returnedAt - seen.escapeAt;
    QVERIFY2(stopped < 1000, qPrintable(QString::number(stopped))); // not the line's 13 s
    QVERIFY(bench.portFree());
    // What the module got is the start of the exchange, cut off.
    const QByteArray expected = QByteArray("~}")
        + transfer::lineBytes(transfer::buildTransferText(fixtures::filledForm(), LinkSettings()).text, '|');
    const QByteArray got = bench.sim.received();
    QVERIFY(got.size() >= 2 && got.size() < expected.size());
    QCOMPARE(got, expected.left(got.size()));
    QCOMPARE(bench.sim.sent(), QByteArray("RD"));
}

void tst_Download::workerSignalsOutcome_data()
{
    QTest::addColumn<bool>("portThere");
    QTest::addColumn<QByteArray>("ack");
    QTest::addColumn<transfer::DownloadOutcome>("outcome");
    QTest::addColumn<QString>("shown");
    QTest::newRow("acknowledged") << true << QByteArray("OK") << transfer::DownloadOutcome::Acknowledged << kSuccess;
    QTest::newRow("not acknowledged") << true << QByteArray("xy") << transfer::DownloadOutcome::NotAcknowledged
                                      << kFailure + kNoAcknowledge;
    QTest::newRow("no port") << false << QByteArray("OK") << transfer::DownloadOutcome::PortFailed
                             << kFailure + kPortMissing;
}

// The worker says how the exchange ended in a signal of its own, once, on the
// dialog's thread, and the dialog shows that outcome; nothing is read from the worker.
void tst_Download::workerSignalsOutcome()
{
    QFETCH(bool, portThere);
    QFETCH(QByteArray, ack);
    QFETCH(transfer::DownloadOutcome, outcome);
    QFETCH(QString, shown);
    SimBehaviour behaviour;
    behaviour.acknowledge = ack;
    Bench bench(behaviour);
    LinkSettings settings;
    settings.port = portThere ? bench.pty.slavePath() : kNoSuchPort;
    if (!portThere)
        QTest::ignoreMessage(QtDebugMsg, "unable to open comport");
    const QString text = transfer::buildTransferText(fixtures::filledForm(), settings).text;

    dload dialog(settings, text, &bench.window);
    auto *status = dialog.findChild<QLabel *>("kiiras");
    QVERIFY(status);
    // Connected before the event loop runs again, so nothing can be missed.
    QList<transfer::DownloadOutcome> outcomes;
    bool onDialogThread = true;
    connect(dialog.worker(), &dlThread::ended, this, [&](transfer::DownloadOutcome o) {
        outcomes << o;
        onDialogThread = onDialogThread && QThread::currentThread() == dialog.thread();
    });
    QTRY_COMPARE_WITH_TIMEOUT(outcomes.size(), 1, 10000);
    QTest::qWait(50); // no second one
    QCOMPARE(outcomes, QList<transfer::DownloadOutcome>{outcome});
    QVERIFY(onDialogThread);
    QCOMPARE(status->text(), shown);
    QCOMPARE(bench.sim.received().size(), portThere ? 2 + transfer::lineBytes(text, '|').size() : 0);
}

void tst_Download::languageChangeRestoresTexts()
{
    MainWindow window;
    LinkSettings settings;
    settings.port = kNoSuchPort;
    QTest::ignoreMessage(QtDebugMsg, "unable to open comport");
    dload dialog(settings, QString(), &window);
    auto *status = dialog.findChild<QLabel *>("kiiras");
    auto *icon = dialog.findChild<QLabel *>("label");
    QVERIFY(status && icon);
    QTRY_COMPARE(status->text(), kFailure + kPortMissing);
    dialog.setWindowTitle(QStringLiteral("x"));
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&dialog, &change);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Download"));
    QCOMPARE(status->text(), QString::fromUtf8("Betöltés..."));
    QVERIFY(icon->text().isEmpty());
    QVERIFY(!icon->pixmap().isNull());
}

void tst_Download::refusedBeforePort_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    // The first empty field is named by its label, as the form shows it.
    QTest::newRow("empty be2_off_msg") << "be2_off_msg" << ""
                                       << QString::fromUtf8("Az összes mező kitöltése kötelező.\n"
                                                            "Üres mező: 2-es bemenet kikapcsoláskor.");
    QTest::newRow("accented m_nev") << "m_nev" << QString::fromUtf8("Kapú")
                                    << QString::fromUtf8("Ékezetes karakterek nem használhatóak.");
    QTest::newRow("separator in m_nev") << "m_nev" << "Ka|pu"
                                        << QString::fromUtf8("Az elválasztó karakter (|) nem használható a mezőkben.");
    QTest::newRow("letter in t7_3") << "t7_3" << "3630ABC"
                                    << QString::fromUtf8("A telefonszámokban csak számjegy és szóköz állhat.");
    // A carriage return would end the line inside the field; a line feed (from a
    // paste or a read-out) has no place in a field either.
    QTest::newRow("CR in m_nev") << "m_nev" << "Kapu\rGarazs"
                                 << QString::fromUtf8("Sortörés nem használható a mezőkben.\nA hibás mező: \"Modul neve\" (m_nev).");
    QTest::newRow("LF in r16") << "r16" << "a\nb"
                               << QString::fromUtf8("Sortörés nem használható a mezőkben.\nA hibás mező: r16.");
}

void tst_Download::refusedBeforePort()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    Bench bench;
    FormContent form = fixtures::filledForm();
    form.setText(field, value);
    bench.window.applyForm(form);
    if (value.isEmpty())
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QLatin1Char('"') + field + QLatin1Char('"')));
    const Seen seen = runDownload(bench.window, Act::Wait);
    QCOMPARE(seen.boxTitle, QString::fromUtf8("Betöltés hiba."));
    QCOMPARE(seen.boxText, message);
    QVERIFY(!seen.dialogShown);
    QTest::qWait(50);
    QCOMPARE(bench.sim.received(), QByteArray());
}

QTEST_MAIN(tst_Download)
#include "tst_download.moc"
