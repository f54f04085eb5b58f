// The verify through a real pty against the in-process module simulator.
#include "gui/transfer/outcometexts.h"
#include "simlink.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString kSuccess = QStringLiteral("Sikeres ellenőrzés.");
const QString kMismatch = QStringLiteral("Sikertelen ellenőrzés.\nTöltse be újra a konfigurációt!");
const QString kAsciiError = QStringLiteral("Sikertelen ellenőrzés. (ascii error)");
const QString kPortFailure = QStringLiteral("Sikertelen ellenőrzés.\nNem lehet megnyitni a portot.");

using Fault = SimBehaviour::Fault;

} // namespace

class tst_Verify : public QObject
{
    Q_OBJECT
private slots:
    void afterDownload_data();
    void afterDownload();
    void cancel();
    void asciiErrorBeforePort();
    void portFailure();
};

void tst_Verify::afterDownload_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("change"); // what differs after the download
    QTest::addColumn<bool>("matches");
    QTest::addColumn<QString>("why");    // the line under a mismatch

    QTest::newRow("same form") << int(Fault::None) << "" << true << "";
    QTest::newRow("255 padding") << int(Fault::Pad255) << "" << true << "";
    QTest::newRow("empty pin on both sides") << int(Fault::None) << "pin" << true << "";
    // The differing fields by the labels the form shows, five at most.
    QTest::newRow("one box changed") << int(Fault::None) << "box" << false
                                     << "A modul mást tárol. Eltérő mezők: Kimenet vezérlés 1 (2. blokk, 11. sor).";
    QTest::newRow("two fields changed") << int(Fault::None) << "two" << false
                                        << "A modul mást tárol. Eltérő mezők: Modul neve, Telefonszám (1. blokk, 5. sor).";
    QTest::newRow("eight fields changed") << int(Fault::None) << "eight" << false
                                          << "A modul mást tárol. Eltérő mezők: Modul PIN-kód, Modul azonosító, "
                                             "Modul neve, Visszaállás, 1-es bemenet neve és még 3.";
    // No module on the line: the cable, not the configuration.
    QTest::newRow("silent module") << int(Fault::Silence) << "" << false
                                   << outcometexts::verifyFailure({transfer::VerifyJudgement::Kind::NoAnswer, {}});
    QTest::newRow("hang-up mid-answer") << int(Fault::HangUp) << "" << false << outcometexts::lineLost();
}

void tst_Verify::afterDownload()
{
    QFETCH(int, fault);
    QFETCH(QString, change);
    QFETCH(bool, matches);
    QFETCH(QString, why);

    SimLink link;
    link.window.show();
    FormContent form = fixtures::richForm();
    QVERIFY(link.download(form));
    if (change == "box")
        form.boxes[77] = !form.boxes[77];
    if (change == "two") {
        form.setText("m_nev", "Masik");
        form.setText("t5", "3611");
    }
    for (int i = 1; change == "eight" && i <= 8; ++i)
        form.texts[i].clear();
    if (change == "pin") {
        // The download refuses an empty PIN; the verify expects 16 spaces for it.
        form.setText("m_pin", "");
        link.sim.setConfiguration(form);
    }
    link.window.applyForm(form);
    auto *combo = link.window.findChild<QComboBox *>("smskp_combo");
    QVERIFY(combo);
    QSignalSpy comboChanges(combo, &QComboBox::currentIndexChanged);
    link.setBehaviour(Fault(fault), [](SimBehaviour &b) { b.hangUpAfter = 500; });
    // With the checksum on the verify still compares without one.
    LinkSettings settings = link.window.linkSettings();
    settings.checkValue = 1;
    link.window.setLinkSettings(settings);
    link.sim.clearTranscript();

    ModalDriver modals;
    bool portHeldWhileShown = false;
    modals.whileOpen = [&](const ModalDriver::Shown &) { portHeldWhileShown = !link.portFree(); };
    QElapsedTimer clock;
    clock.start();
    link.window.verify_func();
    const qint64 elapsed = clock.elapsed();

    QCOMPARE(link.sim.received(), QByteArray("~{"));
    QCOMPARE(modals.shown.size(), 1);
    const ModalDriver::Shown box = modals.shown[0];
    QCOMPARE(box.title, QStringLiteral("Ellenőrzés"));
    QCOMPARE(box.text, matches ? kSuccess : kMismatch + QLatin1Char('\n') + why);
    QCOMPARE(box.icon, matches ? QMessageBox::Information : QMessageBox::Critical);
    QVERIFY2(portHeldWhileShown, "the port stays open while the result is shown");
    if (fault == int(Fault::HangUp))
        QVERIFY2(elapsed < 1500, "a vanished line ends the reception at once");
    else
        QVERIFY(elapsed >= 1500);
    QVERIFY(elapsed < 5000);
    QVERIFY(link.portFree());
    QCOMPARE(link.window.captureForm(), form);
    QCOMPARE(comboChanges.count(), 0);
}

void tst_Verify::cancel()
{
    SimLink link;
    link.sim.setPaced(true);
    link.sim.setConfiguration(fixtures::richForm());
    link.window.show();
    link.window.applyForm(fixtures::richForm());

    ModalDriver modals;
    modals.cancelWhen = [](const ModalDriver::Progress &dialog) { return dialog.value > 100; };
    link.window.verify_func();

    QVERIFY(modals.cancelled);
    QCOMPARE(modals.progress.label, QStringLiteral("Ellenőrzés..."));
    QCOMPARE(modals.progress.cancelText, QStringLiteral("Megszakítás"));
    QVERIFY(modals.shown.isEmpty());
    QVERIFY(link.portFree());
    QCOMPARE(link.window.captureForm(), fixtures::richForm());
}

void tst_Verify::asciiErrorBeforePort()
{
    SimLink link;
    FormContent form = fixtures::richForm();
    form.setText("m_nev", QString::fromUtf8("Kapué"));
    form.setText("t3", QString::fromUtf8("é")); // telephone fields are not checked
    link.window.applyForm(form);
    // Were the port touched, this holder would turn the answer into a port failure.
    QSerialPort holder(link.pty.slavePath());
    QVERIFY(holder.open(QIODevice::ReadWrite));

    ModalDriver modals;
    link.window.verify_func();

    QCOMPARE(modals.shown.size(), 1);
    QCOMPARE(modals.shown[0].title, QStringLiteral("Hiba"));
    QCOMPARE(modals.shown[0].text, kAsciiError);
    QCOMPARE(modals.shown[0].icon, QMessageBox::Critical);
    QTest::qWait(50);
    QCOMPARE(link.sim.received(), QByteArray());
    QCOMPARE(link.window.captureForm(), form);
}

void tst_Verify::portFailure()
{
    MainWindow window;
    LinkSettings settings = window.linkSettings();
    settings.port = QStringLiteral("/dev/rzm-no-such-port");
    window.setLinkSettings(settings);
    window.applyForm(fixtures::richForm());

    QTest::ignoreMessage(QtDebugMsg, "unable to open comport");
    ModalDriver modals;
    window.verify_func();

    QCOMPARE(modals.shown.size(), 1);
    QCOMPARE(modals.shown[0].title, QStringLiteral("Hiba"));
    QCOMPARE(modals.shown[0].text, kPortFailure);
    QCOMPARE(modals.shown[0].icon, QMessageBox::Critical);
    QCOMPARE(window.captureForm(), fixtures::richForm());
}

QTEST_MAIN(tst_Verify)
#include "tst_verify.moc"
