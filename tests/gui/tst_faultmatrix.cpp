// The fault matrix: every misbehaviour of the simulated module against the
// download, the read-out and the verify, through a real pty and the real window.
// For every cell: exactly the message the user sees (none on a cancel), the form
// and the module's store changed only where they may be, the port released, and
// the command back within the time-outs it is allowed to wait.
//
// The three exchanges are separate test functions over one table, so ctest can
// run them side by side (each on its own pty): the time-outs are real waits.
// A fault of one exchange that the module's other exchanges ignore (the read-out's
// answer faults in a download, the missing "R" in a read-out or verify) would only
// repeat the "none" row of that exchange; tst_modulesimulator checks that the
// module ignores them there.
#include "simlink.h"

#include "core/fieldrules.h"
#include "core/serial/serialport.h"
#include "core/transfer/transfertext.h"

#include <QElapsedTimer>
#include <QTest>

using Fault = SimBehaviour::Fault;

namespace {

enum class Exchange { Download, Readout, Verify };
enum class FormAfter { Unchanged, ReadBack };

const QString kDownloadTitle = QStringLiteral("Download");
const QString kDownloadOk = QString::fromUtf8("Sikeres betöltés.");
const QString kDownloadFailed = QString::fromUtf8("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a portbeállításokat.");
const QString kReadoutFailed = QString::fromUtf8("Sikertelen kiolvasás.\nEllenőrizze az eszközt, és próbálja meg újra!");
const QString kVerifyOk = QString::fromUtf8("Sikeres ellenőrzés.");
const QString kVerifyFailed = QString::fromUtf8("Sikertelen ellenőrzés.\nTöltse be újra a konfigurációt!");
// The line a failed download or verify adds to say why.
const QString kNoAnswer = QString::fromUtf8("\nA modul nem válaszolt.");
const QString kLineLost = QString::fromUtf8("\nA kapcsolat megszakadt: a port eltűnt az átvitel közben.");
const QString kVerifyNoAnswer = QString::fromUtf8("\nA modul nem válaszolt: ellenőrizze a kábelt és a portot.");
const QString kUnreadable = QString::fromUtf8("\nA modul válasza nem értelmezhető.");

// The waits the program may spend: one missing byte of the download, and the
// silence that ends (or, with no answer, is) every read-out reception.
constexpr int kDownloadWait = 5000;
constexpr int kReadWait = 1500;
// Building the window, the pty round trips, and a slow (sanitizer) build.
constexpr int kSlack = 2500;

struct Row
{
    const char *name;
    Fault fault;
    int hangUpAfter;   // bytes of the exchange before the module hangs up
    bool cancel;       // Escape on the download dialog, "Megszakítás" on a progress dialog
    const char *title; // nullptr: no message at all
    QString text;
    bool changes;      // the download stores the form / the read-out fills the form
    int waitsMs;       // what the time-outs allow on top of the exchange itself
};

void addRow(Exchange exchange, const Row &row)
{
    const char *prefix = exchange == Exchange::Download ? "download" : exchange == Exchange::Readout ? "readout" : "verify";
    QTest::addRow("%s/%s", prefix, row.name)
        << int(exchange) << int(row.fault) << row.hangUpAfter << row.cancel
        << (row.title ? QString::fromUtf8(row.title) : QString()) << row.text << row.changes
        << row.waitsMs + kSlack;
}

} // namespace

class tst_FaultMatrix : public QObject
{
    Q_OBJECT
private slots:
    void download_data();
    void download() { run(); }
    void readout_data();
    void readout() { run(); }
    void verify_data();
    void verify() { run(); }

private:
    void columns();
    void run();
};

void tst_FaultMatrix::columns()
{
    QTest::addColumn<int>("exchange");
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("hangUpAfter");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("changes");
    QTest::addColumn<int>("maxMs");
}

void tst_FaultMatrix::download_data()
{
    columns();
    const char *t = "Download";
    const Row rows[] = {
        {"none", Fault::None, 0, false, t, kDownloadOk, true, 0},
        {"silence", Fault::Silence, 0, false, t, kDownloadFailed + kNoAnswer, false, kDownloadWait},
        {"no R", Fault::NoReady, 0, false, t, kDownloadFailed + kNoAnswer, false, kDownloadWait},
        {"no second byte", Fault::NoSecondByte, 0, false, t, kDownloadOk, true, kDownloadWait},
        {"garbage", Fault::Garbage, 0, false, t, kDownloadFailed + kNoAnswer, false, 0},
        {"hang-up after R", Fault::HangUp, 3, false, t, kDownloadFailed + kLineLost, false, 0},
        {"hang-up in the lines", Fault::HangUp, 100, false, t, kDownloadFailed + kLineLost, false, 0},
        {"hang-up before the acknowledge", Fault::HangUp, 4 + 1563 + 1, false, t, kDownloadFailed + kLineLost, false, 0},
        {"escape while waiting for R", Fault::Silence, 0, true, nullptr, QString(), false, 0},
    };
    for (const Row &row : rows)
        addRow(Exchange::Download, row);
}

void tst_FaultMatrix::readout_data()
{
    columns();
    const char *t = "Hiba";
    const QString &f = kReadoutFailed;
    const Row rows[] = {
        {"none", Fault::None, 0, false, nullptr, QString(), true, kReadWait},
        {"silence", Fault::Silence, 0, false, t, f, false, kReadWait},
        {"preamble", Fault::Preamble, 0, false, nullptr, QString(), true, kReadWait},
        {"255 padding", Fault::Pad255, 0, false, nullptr, QString(), true, kReadWait},
        {"long gap", Fault::LongGap, 0, false, t, f, false, kReadWait},
        {"garbage", Fault::Garbage, 0, false, t, f, false, kReadWait},
        {"hang-up at once", Fault::HangUp, 3, false, t, f, false, 0},
        {"hang-up in the fields", Fault::HangUp, 100, false, t, f, false, 0},
        // Every field came whole; only the byte the reader drops anyway is missing.
        {"hang-up before the last byte", Fault::HangUp, 4 + 92 * 17, false, nullptr, QString(), true, 0},
        {"field too few", Fault::FieldTooFew, 0, false, t, f, false, kReadWait},
        {"field too many", Fault::FieldTooMany, 0, false, t, f, false, kReadWait},
        {"flood", Fault::Flood, 0, false, t, f, false, kReadWait},
        {"flood cancelled", Fault::Flood, 0, true, nullptr, QString(), false, 0},
    };
    for (const Row &row : rows)
        addRow(Exchange::Readout, row);
}

void tst_FaultMatrix::verify_data()
{
    columns();
    const char *t = "Ellenőrzés";
    const QString &f = kVerifyFailed;
    const Row rows[] = {
        {"none", Fault::None, 0, false, t, kVerifyOk, false, kReadWait},
        {"silence", Fault::Silence, 0, false, t, f + kVerifyNoAnswer, false, kReadWait},
        {"preamble", Fault::Preamble, 0, false, t, kVerifyOk, false, kReadWait},
        {"255 padding", Fault::Pad255, 0, false, t, kVerifyOk, false, kReadWait},
        {"long gap", Fault::LongGap, 0, false, t, f + kUnreadable, false, kReadWait},
        {"garbage", Fault::Garbage, 0, false, t, f + kUnreadable, false, kReadWait},
        {"hang-up at once", Fault::HangUp, 3, false, t, f + kLineLost, false, 0},
        {"hang-up in the fields", Fault::HangUp, 100, false, t, f + kLineLost, false, 0},
        {"hang-up before the last byte", Fault::HangUp, 4 + 92 * 17, false, t, f + kLineLost, false, 0},
        {"field too few", Fault::FieldTooFew, 0, false, t, f + kUnreadable, false, kReadWait},
        {"field too many", Fault::FieldTooMany, 0, false, t, f + kUnreadable, false, kReadWait},
        {"flood", Fault::Flood, 0, false, t, f + kUnreadable, false, kReadWait},
        {"flood cancelled", Fault::Flood, 0, true, nullptr, QString(), false, 0},
    };
    for (const Row &row : rows)
        addRow(Exchange::Verify, row);
}

void tst_FaultMatrix::run()
{
    QFETCH(int, exchange);
    QFETCH(int, fault);
    QFETCH(int, hangUpAfter);
    QFETCH(bool, cancel);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(bool, changes);
    QFETCH(int, maxMs);
    const auto ex = Exchange(exchange);

    SimLink link;
    QVERIFY2(link.pty.slavePath().size() > 0, qPrintable(link.pty.errorString()));
    link.setBehaviour(Fault(fault), [&](SimBehaviour &b) { b.hangUpAfter = hangUpAfter; });
    // The module holds one form, the window another where a change must show.
    const FormContent moduleForm = ex == Exchange::Download ? fixtures::previousForm() : fixtures::richForm();
    const FormContent windowForm = ex == Exchange::Readout ? fixtures::previousForm() : fixtures::richForm();
    link.sim.setConfiguration(moduleForm);
    link.window.applyForm(windowForm);
    const FormContent before = link.window.captureForm();
    const LinkSettings settingsBefore = link.window.linkSettings();

    // A cancel comes once the exchange is well under way: the download while it
    // waits for "R", a flood once the progress dialog shows.
    ModalDriver modals;
    // The read-out replaces the window's form: its question is answered first.
    if (ex == Exchange::Readout)
        windowdocument::letEditsGo(modals);
    modals.cancelWhen = [cancel](const ModalDriver::Progress &dialog) {
        return cancel && (dialog.download ? dialog.ms >= 300 : dialog.value >= 1000);
    };
    QElapsedTimer clock;
    clock.start();
    switch (ex) {
    case Exchange::Download: link.window.download(); break;
    case Exchange::Readout: link.window.readup(); break;
    case Exchange::Verify: link.window.verify_func(); break;
    }
    const qint64 tookMs = clock.elapsed();

    // What the user saw, and nothing else.
    if (ex == Exchange::Readout)
        QVERIFY(windowdocument::tookUnsavedQuestion(modals));
    if (title.isEmpty()) {
        QVERIFY2(modals.shown.isEmpty(), qPrintable(modals.shown.value(0).text));
    } else {
        QCOMPARE(modals.shown.size(), 1);
        QCOMPARE(modals.shown[0].title, title);
        QCOMPARE(modals.shown[0].text, text);
    }
    QCOMPARE(modals.cancelled, cancel);
    QVERIFY2(tookMs <= maxMs, qPrintable(QStringLiteral("took %1 ms, allowed %2").arg(tookMs).arg(maxMs)));

    // The form: filled by a successful read-out only, untouched otherwise.
    const FormContent after = link.window.captureForm();
    if (ex == Exchange::Readout && changes)
        QCOMPARE(after, fieldrules::readBack(fixtures::richForm()));
    else
        QCOMPARE(after, before);
    QCOMPARE(link.window.linkSettings().port, settingsBefore.port);

    // The module's store: replaced by a whole download only.
    const QStringList expectedStore = transfer::fields(ex == Exchange::Download && changes ? windowForm : moduleForm);
    QCOMPARE(link.sim.fields(), expectedStore);

    // The port is let go on every path: no descriptor of ours on it, and where the
    // line still exists a fresh open succeeds.
    QVERIFY(link.portFree());
    if (Fault(fault) != Fault::HangUp) {
        SerialPort again;
        QVERIFY(again.open(link.pty.slavePath()));
    }
    link.drain();
}

QTEST_MAIN(tst_FaultMatrix)
#include "tst_faultmatrix.moc"
