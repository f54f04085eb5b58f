// The read-out through a real pty against the in-process module simulator.
#include "simlink.h"

#include "core/fieldrules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString kPortFailure = QStringLiteral("Sikertelen kiolvasás.\nNem lehet megnyitni a portot.");
const QString kAnswerFailure = QStringLiteral("Sikertelen kiolvasás.\nEllenőrizze az eszközt, és próbálja meg újra!");

using Fault = SimBehaviour::Fault;
using windowdocument::letEditsGo;
using windowdocument::tookUnsavedQuestion;

} // namespace

class tst_Readout : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip();
    void answers_data();
    void answers();
    void cancelMidAnswer();
    void pauseKeepsDialogResponsive();
    void floodStaysCancellable();
    void portFailure();
    void lineBreakFromTheModule();
};

void tst_Readout::roundTrip()
{
    SimLink link;
    link.window.show();
    QVERIFY(link.download(fixtures::richForm()));
    link.window.applyForm(FormContent::defaults());
    auto *combo = link.window.findChild<QComboBox *>("smskp_combo");
    const auto *smskp = link.window.findChild<QLineEdit *>("smskp");
    QVERIFY(combo && smskp);
    QCOMPARE(combo->currentIndex(), 0);
    QSignalSpy comboChanges(combo, &QComboBox::currentIndexChanged);

    link.sim.clearTranscript();
    ModalDriver modals;
    link.window.readup();

    QVERIFY(modals.shown.isEmpty());
    QCOMPARE(link.sim.received(), QByteArray("~{"));
    const FormContent shown = link.window.captureForm();
    const FormContent expected = fieldrules::readBack(fixtures::richForm());
    for (int i = 0; i < expected.texts.size(); ++i)
        QCOMPARE(shown.texts[i], expected.texts[i]);
    for (int k = 0; k < expected.boxes.size(); ++k)
        QVERIFY2(shown.boxes[k] == expected.boxes[k], qPrintable(formschema::boxes()[k].name));
    QCOMPARE(combo->currentText(), QStringLiteral("Vodafone"));
    QCOMPARE(comboChanges.count(), 1);
    // smskpSelect ran on the change: an operator's number is not editable.
    QVERIFY(!smskp->isEnabled());
    QVERIFY(link.portFree());
}

void tst_Readout::answers_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<bool>("emptyStore");      // else fixtures::richForm() is stored
    QTest::addColumn<quint8>("uploadCommand"); // the program's and the module's
    QTest::addColumn<QString>("diagnostic");  // empty: none expected
    QTest::addColumn<bool>("readsBack");      // else the answer failure
    QTest::addColumn<bool>("waitsForSilence");

    QTest::newRow("preamble") << int(Fault::Preamble) << false << quint8('{') << "" << true << true;
    QTest::newRow("255 padding") << int(Fault::Pad255) << false << quint8('{') << "" << true << true;
    QTest::newRow("255-only fields") << int(Fault::Pad255) << true << quint8('{') << "" << true << true;
    QTest::newRow("other upload command") << int(Fault::None) << false << quint8('U') << "" << true << true;
    QTest::newRow("silent module") << int(Fault::Silence) << false << quint8('{') << "sep error" << false << true;
    QTest::newRow("91 fields") << int(Fault::FieldTooFew) << false << quint8('{') << "dberror 91 92" << false << true;
    QTest::newRow("93 fields") << int(Fault::FieldTooMany) << false << quint8('{') << "dberror 93 92" << false << true;
    QTest::newRow("binary noise") << int(Fault::Garbage) << false << quint8('{') << "sep error" << false << true;
    QTest::newRow("hang-up mid-answer") << int(Fault::HangUp) << false << quint8('{') << "" << false << false;
}

void tst_Readout::answers()
{
    QFETCH(int, fault);
    QFETCH(bool, emptyStore);
    QFETCH(quint8, uploadCommand);
    QFETCH(QString, diagnostic);
    QFETCH(bool, readsBack);
    QFETCH(bool, waitsForSilence);

    SimLink link;
    FormContent stored = fixtures::richForm();
    stored.setText("r17", "");       // sent as 16 spaces, or as 16 bytes 255
    stored.setText("m_pin", "123456"); // cut by the field to 1234
    FormContent expected = fieldrules::readBack(fixtures::richForm());
    expected.setText("r17", "");
    if (emptyStore) {
        stored = expected = FormContent();
        expected.setText("rele_time", "0000"); // an empty relay time is stored zero-filled
    }
    link.sim.setConfiguration(stored);
    link.setBehaviour(Fault(fault), [&](SimBehaviour &b) {
        b.uploadCommand = uploadCommand;
        b.hangUpAfter = 300;
    });
    MainWindow &window = link.window;
    LinkSettings settings = window.linkSettings();
    settings.uploadCommand = uploadCommand;
    settings.uploadSeparator = '#'; // not consulted by the reader
    window.setLinkSettings(settings);
    window.show();
    window.applyForm(fixtures::previousForm());
    const FormContent before = window.captureForm();

    if (!diagnostic.isEmpty())
        QTest::ignoreMessage(QtDebugMsg, qPrintable(diagnostic));
    ModalDriver modals;
    letEditsGo(modals);
    bool portHeldWhileShown = false;
    modals.whileOpen = [&](const ModalDriver::Shown &) { portHeldWhileShown = !link.portFree(); };
    QElapsedTimer clock;
    clock.start();
    window.readup();
    const qint64 elapsed = clock.elapsed();
    QVERIFY(tookUnsavedQuestion(modals));

    QCOMPARE(link.sim.received().left(2), QByteArray("~") + char(uploadCommand));
    // The form shows what the module holds after a read-out; a failed one leaves
    // the edits unsaved.
    QTRY_COMPARE(window.isWindowModified(), !readsBack);
    if (readsBack) {
        QVERIFY(modals.shown.isEmpty());
        QCOMPARE(window.captureForm(), expected);
    } else {
        QCOMPARE(modals.shown.size(), 1);
        QCOMPARE(modals.shown[0].title, QStringLiteral("Hiba"));
        QCOMPARE(modals.shown[0].text, kAnswerFailure);
        QCOMPARE(modals.shown[0].icon, QMessageBox::Critical);
        QVERIFY2(!portHeldWhileShown, "the port is closed before an answer failure is shown");
        QCOMPARE(window.captureForm(), before);
    }
    if (waitsForSilence)
        QVERIFY2(elapsed >= 1500, qPrintable(QString::number(elapsed)));
    else
        QVERIFY2(elapsed < 1500, qPrintable(QString::number(elapsed)));
    QVERIFY(elapsed < 5000);
    QVERIFY(link.portFree());
}

void tst_Readout::cancelMidAnswer()
{
    SimLink link;
    link.sim.setPaced(true); // 1.5 s of answer at 1200 baud
    link.sim.setConfiguration(fixtures::richForm());
    link.window.show();
    link.window.applyForm(fixtures::previousForm());
    const FormContent before = link.window.captureForm();

    int valueAtCancel = -1;
    QElapsedTimer sinceCancel;
    ModalDriver modals;
    letEditsGo(modals);
    modals.cancelWhen = [&](const ModalDriver::Progress &dialog) {
        valueAtCancel = dialog.value;
        if (dialog.value <= 200)
            return false;
        sinceCancel.start();
        return true;
    };
    QElapsedTimer clock;
    clock.start();
    link.window.readup();

    QVERIFY(modals.cancelled);
    QVERIFY(tookUnsavedQuestion(modals));
    QVERIFY(valueAtCancel > 200 && valueAtCancel < 1500);
    QCOMPARE(modals.progress.label, QStringLiteral("Kiolvasás..."));
    QCOMPARE(modals.progress.cancelText, QStringLiteral("Megszakítás"));
    QCOMPARE(modals.progress.maximum, 1570);
    QVERIFY(modals.shown.isEmpty());
    QVERIFY(clock.elapsed() < 10000);
    // The cancel ends the read-out at once, not when the module's answer is over
    // (more than ten seconds of it were still to come).
    QVERIFY2(sinceCancel.elapsed() < 3000, qPrintable(QString::number(sinceCancel.elapsed())));
    QCOMPARE(link.window.captureForm(), before);
    QVERIFY(link.portFree());
}

void tst_Readout::pauseKeepsDialogResponsive()
{
    // A module that pauses for less than the read time-out within its answer: the
    // answer goes on, and the shown dialog keeps repainting and taking a cancel.
    SimLink link;
    link.sim.setPaced(true);
    link.setBehaviour(Fault::LongGap, [](SimBehaviour &b) {
        b.gapMs = 1200;
        b.gapAfterField = 5;
    });
    link.window.show();
    const int afterGap = 2 + 8 * 17;
    ModalDriver modals;
    modals.cancelWhen = [&](const ModalDriver::Progress &dialog) { return dialog.value > afterGap; };
    QElapsedTimer clock;
    clock.start();
    link.window.readup();

    QVERIFY(modals.cancelled);
    QVERIFY(modals.shown.isEmpty());
    QVERIFY2(clock.elapsed() > 1200, qPrintable(QString::number(clock.elapsed())));
    // A dialog frozen for the module's pause would miss 1200 ms of events.
    QVERIFY2(modals.longestPauseMs < 800, qPrintable(QString::number(modals.longestPauseMs)));
    QVERIFY(link.portFree());
}

void tst_Readout::floodStaysCancellable()
{
    SimLink link;
    link.setBehaviour(Fault::Flood, [](SimBehaviour &b) { b.floodBytes = 40000; });
    link.window.show();
    link.window.applyForm(fixtures::previousForm());
    const FormContent before = link.window.captureForm();

    // Past the progress maximum the dialog must stay shown and keep taking events.
    ModalDriver modals;
    letEditsGo(modals);
    modals.cancelWhen = [&](const ModalDriver::Progress &dialog) {
        return link.sim.sent().size() > 8000 && dialog.value >= 1500;
    };
    link.window.readup();

    QVERIFY(modals.cancelled);
    QVERIFY(tookUnsavedQuestion(modals));
    QVERIFY(modals.shown.isEmpty());
    QVERIFY(link.portFree());
    link.drain();
    QVERIFY2(modals.longestPauseMs < 500, qPrintable(QString::number(modals.longestPauseMs)));
    QCOMPARE(link.window.captureForm(), before);
}

void tst_Readout::portFailure()
{
    MainWindow window;
    window.applyForm(fixtures::previousForm());
    const FormContent before = window.captureForm();

    PtyPair pty;
    QSerialPort holder(pty.slavePath()); // another program holds the port
    QVERIFY(holder.open(QIODevice::ReadWrite));
    for (const QString &port : {QStringLiteral("/dev/rzm-no-such-port"), pty.slavePath()}) {
        LinkSettings settings = window.linkSettings();
        settings.port = port;
        window.setLinkSettings(settings);
        QTest::ignoreMessage(QtDebugMsg, "unable to open comport");
        ModalDriver modals;
        letEditsGo(modals);
        window.readup();
        QVERIFY(tookUnsavedQuestion(modals));
        QCOMPARE(modals.shown.size(), 1);
        QCOMPARE(modals.shown[0].title, QStringLiteral("Hiba"));
        QCOMPARE(modals.shown[0].text, kPortFailure);
        QCOMPARE(modals.shown[0].icon, QMessageBox::Critical);
        QCOMPARE(window.captureForm(), before);
    }
}

void tst_Readout::lineBreakFromTheModule()
{
    // The module returns a line feed inside a field: the read-out shows the field as
    // the module holds it, and neither a save nor a download takes it.
    SimLink link;
    FormContent stored = fixtures::richForm();
    stored.setText("m_nev", "Kapu\nGarazs");
    link.sim.setConfiguration(stored);
    link.window.show();
    {
        ModalDriver modals;
        link.window.readup();
        QVERIFY(modals.shown.isEmpty());
    }
    QCOMPARE(link.window.captureForm().text("m_nev"), QStringLiteral("Kapu\nGarazs"));

    link.sim.clearTranscript();
    ModalDriver modals;
    link.window.save();
    link.window.download();
    QVERIFY(modals.unexpected.isEmpty()); // a refusal asks for no file name
    QCOMPARE(modals.shown.size(), 2);
    QCOMPARE(modals.shown[0].title, QStringLiteral("Save"));
    QVERIFY(modals.shown[0].text.startsWith("The field \"Modul neve\" (m_nev) holds a line break.\n"));
    QCOMPARE(modals.shown[1].title, QStringLiteral("Betöltés hiba."));
    QCOMPARE(modals.shown[1].text,
             QStringLiteral("Sortörés nem használható a mezőkben.\nA hibás mező: \"Modul neve\" (m_nev)."));
    QTest::qWait(50);
    QCOMPARE(link.sim.received(), QByteArray());
}

QTEST_MAIN(tst_Readout)
#include "tst_readout.moc"
