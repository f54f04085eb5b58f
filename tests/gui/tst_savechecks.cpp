// What a save refuses or asks before it writes: text a file cannot keep, an edit
// the input check refuses (the save stops), and unsaved edits on close.
#include "gui/app/mainwindow.h"

#include "core/files/configfile.h"
#include "modaldriver.h"
#include "windowdocument.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

#include <memory>

#include "diskfiles.h"
#include "sampleforms.h"

namespace {

using fixtures::readAll;
using fixtures::writeAll;

using windowdocument::kSaved;
using windowdocument::kSaveDialog;
using windowdocument::kUnsaved;
using windowdocument::fileLabel;

} // namespace

class tst_savechecks : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<fixtures::ScopedWorkDir>(); }
    void cleanup() { m_dir.reset(); }
    void endMarkerTextIsRefusedBeforeAsking_data();
    void endMarkerTextIsRefusedBeforeAsking();
    void lineBreakIsRefused_data();
    void lineBreakIsRefused();
    void refusedEditStopsTheSave();
    void unsavedEditsAreAskedFor();

private:
    std::unique_ptr<fixtures::ScopedWorkDir> m_dir;
};

void tst_savechecks::endMarkerTextIsRefusedBeforeAsking_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("named");
    QTest::newRow("module name") << "m_nev" << "\"Modul neve\" (m_nev)";
    QTest::newRow("telephone") << "t5_2" << "\"Telefonsz\u00e1m (2. blokk, 5. sor)\" (t5_2)";
    QTest::newRow("reserved") << "r16" << "r16 (reserved, not shown on the form)";
}

void tst_savechecks::endMarkerTextIsRefusedBeforeAsking()
{
    QFETCH(QString, field);
    QFETCH(QString, named);
    MainWindow w;
    FormContent form = fixtures::richForm();
    form.setText(field, "---");
    w.applyForm(form);
    ModalDriver modals;
    modals.press();
    w.save();
    QVERIFY(modals.unexpected.isEmpty()); // no file dialog was opened
    QCOMPARE(modals.seen().size(), 1);
    QVERIFY2(modals.seen()[0].startsWith("Save|The field " + named + " holds \"---\".\n"), qPrintable(modals.seen()[0]));
    QCOMPARE(fileLabel(w), QStringLiteral("No file"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
}

void tst_savechecks::lineBreakIsRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fromFile"); // else pasted: set on the field
    QTest::addColumn<QString>("named");
    QTest::newRow("pasted LF") << "m_nev" << "Kapu\nGarazs" << false << "\"Modul neve\" (m_nev)";
    QTest::newRow("pasted CR LF") << "be2_off_msg" << "Kapu\r\nGarazs" << false
                                  << "\"2-es bemenet kikapcsol\u00e1skor\" (be2_off_msg)";
    QTest::newRow("telephone") << "t5_2" << "3630\n" << false << "\"Telefonsz\u00e1m (2. blokk, 5. sor)\" (t5_2)";
    // A bare CR does not end a line when a file is read, so a file can bring one.
    QTest::newRow("CR from a file") << "r16" << "a\rb" << true << "r16 (reserved, not shown on the form)";
}

void tst_savechecks::lineBreakIsRefused()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, fromFile);
    QFETCH(QString, named);
    MainWindow w;
    FormContent form = fixtures::richForm();
    form.setText(field, text);
    if (fromFile) {
        QVERIFY(writeAll(m_dir->filePath("default17.ui"), configfile::encode(form)));
        ModalDriver modals;
        modals.press();
        w.newfile();
        QCOMPARE(modals.seen(), QStringList{"File opened.|default17.ui successfully loaded."});
    } else {
        w.applyForm(form);
    }
    QCOMPARE(w.captureForm(), form);
    ModalDriver modals;
    modals.press();
    w.save();
    QVERIFY(modals.unexpected.isEmpty()); // no file dialog was opened
    QCOMPARE(modals.seen(), QStringList{"Save|The field " + named + " holds a line break.\n"
                                      "A configuration file cannot keep it: the field would take two lines, "
                                      "and the file could not be opened again.\nChange the field, then save again."});
    QCOMPARE(QDir(m_dir->path()).entryList({"*.k83"}, QDir::Files), QStringList());
}

void tst_savechecks::refusedEditStopsTheSave()
{
    MainWindow w;
    w.applyForm(fixtures::richForm());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *pin = w.findChild<QLineEdit *>("m_pin");
    QVERIFY(pin);
    pin->setFocus();
    pin->selectAll();
    QTest::keyClicks(pin, "12a");

    // Ctrl+S with the edit still in its field: the input check refuses it, and the
    // save stops before its dialog.
    {
        ModalDriver modals;
        modals.press();
        QTest::keyClick(pin, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(modals.seen(), QStringList{"Input error|Only numbers."});
        QVERIFY(modals.unexpected.isEmpty());
    }
    QCOMPARE(w.focusWidget(), pin);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QDir(m_dir->path()).entryList({"*.k83"}, QDir::Files), QStringList());

    // The next save stores what the check left.
    const QString path = m_dir->filePath("pin.k83");
    ModalDriver modals;
    modals.chooseFile(path).press();
    QTest::keyClick(pin, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(modals.seen(), (QStringList{kSaveDialog, kSaved}));
    FormContent expected = fixtures::richForm();
    expected.setText("m_pin", "");
    QCOMPARE(w.captureForm(), expected);
    QCOMPARE(readAll(path), configfile::encode(expected));
}

void tst_savechecks::unsavedEditsAreAskedFor()
{
    const QString path = m_dir->filePath("kept.k83");
    {
        // Nothing touched since start: nothing to ask.
        MainWindow w;
        w.show();
        ModalDriver modals;
        QVERIFY(w.close());
        QVERIFY(modals.seen().isEmpty() && modals.unexpected.isEmpty());
    }
    MainWindow w;
    w.show();
    const FormContent start = w.captureForm();
    w.applyForm(fixtures::richForm());
    QTRY_VERIFY(w.isWindowModified());
    QCOMPARE(w.windowHandle()->title(), QString::fromUtf8("RZM-417 letöltő szoftver*"));
    {
        ModalDriver modals;
        modals.press(QMessageBox::Cancel);
        QVERIFY(!w.close());
        modals.press(QMessageBox::Cancel);
        w.openfile();
        modals.press(QMessageBox::Save).cancel();
        QVERIFY(!w.close());
        QCOMPARE(modals.seen(), (QStringList{kUnsaved, kUnsaved, kUnsaved, kSaveDialog}));
        QVERIFY(modals.unexpected.isEmpty());
    }
    QVERIFY(w.isVisible());
    QCOMPARE(w.captureForm(), fixtures::richForm());
    QVERIFY(w.isWindowModified());
    {
        ModalDriver modals;
        modals.press(QMessageBox::Save).chooseFile(path).press();
        QVERIFY(w.close());
        QCOMPARE(modals.seen(), (QStringList{kUnsaved, kSaveDialog, kSaved}));
    }
    QCOMPARE(readAll(path), configfile::encode(fixtures::richForm()));
    QVERIFY(!w.isWindowModified());

    // An edit undone by hand leaves nothing to ask; Discard goes on without saving.
    MainWindow other;
    other.show();
    other.applyForm(fixtures::richForm());
    other.applyForm(start);
    QTRY_VERIFY(!other.isWindowModified());
    other.applyForm(FormContent());
    ModalDriver modals;
    modals.press(QMessageBox::Discard);
    QVERIFY(other.close());
    QCOMPARE(modals.seen(), QStringList{kUnsaved});
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"kept.k83"});
}

QTEST_MAIN(tst_savechecks)
#include "tst_savechecks.moc"
