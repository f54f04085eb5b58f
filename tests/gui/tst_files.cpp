// The file commands on the real window: Save, Open, New and the load routine,
// with their dialogs and boxes.
#include "gui/app/mainwindow.h"

#include "core/files/configfile.h"
#include "modaldriver.h"
#include "windowdocument.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "diskfiles.h"
#include "sampleforms.h"

namespace {

const QString kFileError = QStringLiteral("File error.|Cannot open the file. \nTip: Check the file.");
const QString kMissing = QStringLiteral("Error|Cannot open the selected file.");

using fixtures::readAll;
using fixtures::writeAll;

using windowdocument::kSaved;
using windowdocument::kOpenDialog;
using windowdocument::kSaveDialog;
using windowdocument::kUnsaved;
using windowdocument::fileLabel;

// -2 for a window without the combo box, which no test expects.
int comboIndex(const MainWindow &w)
{
    const auto *combo = w.findChild<QComboBox *>("smskp_combo");
    return combo ? combo->currentIndex() : -2;
}

// The 348 lines of a valid file with the given SMS centre.
QByteArray fileWithCentre(const QString &number)
{
    FormContent form = fixtures::richForm();
    form.setText("smskp", number);
    return configfile::encode(form);
}

} // namespace

class tst_files : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void saveThenOpenGivesIdenticalForm();
    void saveNamesTheFile_data();
    void saveNamesTheFile();
    void saveProposesTheDocumentsName();
    void refusedLoadsChangeNothing_data();
    void refusedLoadsChangeNothing();
    void loadDerivesSmsCentre_data();
    void loadDerivesSmsCentre();
    void cancelledDialogsChangeNothing();
    void failedSaveKeepsNameAndFiles_data();
    void failedSaveKeepsNameAndFiles();
    void newLoadsShippedDefault();

private:
    std::unique_ptr<fixtures::ScopedWorkDir> m_dir;
};

void tst_files::init()
{
    m_dir = std::make_unique<fixtures::ScopedWorkDir>();
}

void tst_files::cleanup()
{
    m_dir.reset();
}

void tst_files::saveThenOpenGivesIdenticalForm()
{
    MainWindow w;
    FormContent form = fixtures::richForm();
    form.setText("smskp", "36201112222"); // no operator's centre
    w.applyForm(form);
    const QString path = m_dir->filePath("site.k83");
    {
        ModalDriver modals;
        modals.chooseFile(path).press();
        w.save();
        QCOMPARE(modals.seen(), (QStringList{kSaveDialog, kSaved}));
        QVERIFY(modals.unexpected.isEmpty());
    }
    QCOMPARE(readAll(path), configfile::encode(form));
    QCOMPARE(windowdocument::filePath(w), path);
    QCOMPARE(windowdocument::fileName(w), QStringLiteral("site.k83"));
    QCOMPARE(fileLabel(w), QStringLiteral("site.k83"));

    // A fresh window.
    MainWindow other;
    {
        ModalDriver modals;
        modals.chooseFile(path).press();
        other.openfile();
        QCOMPARE(modals.seen(), (QStringList{kOpenDialog, "File opened.|site.k83 successfully loaded."}));
        QVERIFY(modals.unexpected.isEmpty());
    }
    QCOMPARE(other.captureForm(), form);
    QCOMPARE(windowdocument::fileName(other), QStringLiteral("site.k83"));
    QCOMPARE(fileLabel(other), QStringLiteral("site.k83"));
    QCOMPARE(comboIndex(other), 3); // a custom centre
}

void tst_files::saveNamesTheFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("shown");
    // A name typed without an ending gets .k83, so Megnyitás's filter shows it.
    QTest::newRow("no suffix") << "cfg" << "cfg.k83" << "cfg.k83";
    QTest::newRow("two points") << "a.b.k83" << "a.b.k83" << "a.b.k83";
    QTest::newRow("another ending") << "cfg.txt" << "cfg.txt" << "cfg.txt";
}

void tst_files::saveNamesTheFile()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    QFETCH(QString, shown);
    MainWindow w;
    ModalDriver modals;
    modals.chooseFile(m_dir->filePath(name)).press();
    w.save();
    QCOMPARE(modals.seen().value(1), kSaved);
    QCOMPARE(fileLabel(w), shown);
    QVERIFY(QFile::exists(m_dir->filePath(file)));
    QCOMPARE(QFile::exists(m_dir->filePath(name)), name == file);
}

// The save dialog starts on the current file's name, .k83 in place of its ending;
// with no file yet, in the working folder.
void tst_files::saveProposesTheDocumentsName()
{
    MainWindow w;
    QStringList proposed;
    const auto look = [&proposed](QWidget *window) {
        if (auto *dialog = qobject_cast<QFileDialog *>(window))
            proposed << QDir(QDir::currentPath()).relativeFilePath(dialog->selectedFiles().value(0));
        static_cast<QDialog *>(window)->reject();
    };
    QVERIFY(QDir().mkpath(m_dir->filePath("sub")));
    QVERIFY(writeAll(m_dir->filePath("sub/given.cfg"), configfile::encode(fixtures::richForm())));
    ModalDriver modals;
    modals.then(look).chooseFile(m_dir->filePath("site.k83")).press().then(look).press().then(look);
    w.save();                                     // no file yet
    w.save();                                     // saved as site.k83
    w.save();                                     // proposes it again
    w.openGivenFile(m_dir->filePath("sub/given.cfg")); // another ending, in a folder
    w.save();
    QVERIFY(modals.finished());
    QCOMPARE(proposed, (QStringList{".", "site.k83", "sub/given.k83"}));
}

void tst_files::refusedLoadsChangeNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("box");

    QTest::newRow("one line too many") << configfile::encode(fixtures::richForm()) + "\r\n" << true << kFileError;
    QTest::newRow("empty file") << QByteArray() << true << kFileError;
    QTest::newRow("missing file") << QByteArray() << false << kMissing;
    QByteArray marker = configfile::encode(FormContent());
    marker.replace(0, 2, "---\r\n");
    QTest::newRow("--- as first line") << marker << true << kFileError;
}

void tst_files::refusedLoadsChangeNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, exists);
    QFETCH(QString, box);

    // New loads default17.ui from the working directory, here the test's folder.
    if (exists)
        QVERIFY(writeAll(m_dir->filePath("default17.ui"), bytes));
    MainWindow w;
    const FormContent before = fixtures::richForm();
    w.applyForm(before);
    ModalDriver modals;
    modals.press();
    w.newfile();
    QCOMPARE(modals.seen(), QStringList{box});
    QCOMPARE(w.captureForm(), before);
    QCOMPARE(fileLabel(w), QStringLiteral("No file"));
}

void tst_files::loadDerivesSmsCentre_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("editable");
    QTest::newRow("T-Mobile") << "36309888000" << 0 << false;
    QTest::newRow("Telenor") << "36209300099" << 1 << false;
    QTest::newRow("Vodafone") << "36709996500" << 2 << false;
    QTest::newRow("with plus sign") << "+36709996500" << 3 << true;
    QTest::newRow("empty") << "" << 3 << true;
}

void tst_files::loadDerivesSmsCentre()
{
    QFETCH(QString, number);
    QFETCH(int, index);
    QFETCH(bool, editable);
    QVERIFY(writeAll(m_dir->filePath("default17.ui"), fileWithCentre(number)));
    MainWindow w;
    ModalDriver modals;
    modals.press();
    w.newfile();
    QCOMPARE(modals.seen(), QStringList{"File opened.|default17.ui successfully loaded."});
    QCOMPARE(comboIndex(w), index);
    const auto *smskp = w.findChild<QLineEdit *>("smskp");
    QVERIFY(smskp);
    QCOMPARE(smskp->isEnabled(), editable);
    // The number comes from the file, not from the operator table.
    QCOMPARE(smskp->text(), number);
}

void tst_files::cancelledDialogsChangeNothing()
{
    MainWindow w;
    const QString path = m_dir->filePath("kept.k83");
    {
        ModalDriver modals;
        modals.chooseFile(path).press();
        w.save();
    }
    const QByteArray saved = readAll(path);
    w.applyForm(FormContent());
    {
        ModalDriver modals;
        modals.cancel();
        w.save();
        QCOMPARE(modals.seen(), QStringList{kSaveDialog});
        QVERIFY(modals.unexpected.isEmpty());
    }
    QCOMPARE(readAll(path), saved);
    {
        // The edit above is unsaved: Open asks first.
        ModalDriver modals;
        modals.press(QMessageBox::Discard).cancel();
        w.openfile();
        QCOMPARE(modals.seen(), (QStringList{kUnsaved, kOpenDialog}));
        QVERIFY(modals.unexpected.isEmpty());
    }
    QCOMPARE(w.captureForm(), FormContent());
    QCOMPARE(fileLabel(w), QStringLiteral("kept.k83"));
    // Open takes the dialog's answer over before loading, also the null one.
    QVERIFY(windowdocument::filePath(w).isNull());
}

void tst_files::failedSaveKeepsNameAndFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("parent is a regular file") << "parentIsFile";
    QTest::newRow("folder in place of the file") << "targetIsFolder";
}

void tst_files::failedSaveKeepsNameAndFiles()
{
    QFETCH(QString, kind);
    QString path;
    if (kind == "parentIsFile") {
        QVERIFY(writeAll(m_dir->filePath("plain"), "keep me"));
        path = m_dir->filePath("plain/new.k83");
    } else {
        QVERIFY(QDir(m_dir->path()).mkpath("new.k83/inner"));
        path = m_dir->filePath("new.k83");
    }
    MainWindow w;
    ModalDriver modals;
    modals.chooseFile(path).press();
    w.save();
    QCOMPARE(modals.seen().size(), 2);
    const QString box = modals.seen()[1];
    QVERIFY2(box.startsWith("Save error|Cannot save the file " + QDir::toNativeSeparators(path) + ".\nReason: "),
             qPrintable(box));
    QVERIFY2(box.endsWith("\nThe file on disk was not changed."), qPrintable(box));
    QVERIFY(!box.contains("successful"));
    QCOMPARE(fileLabel(w), QStringLiteral("No file"));
    QVERIFY(windowdocument::filePath(w).isNull());
    QVERIFY(windowdocument::fileName(w).isNull());
    if (kind == "parentIsFile")
        QCOMPARE(readAll(m_dir->filePath("plain")), QByteArray("keep me"));
    else
        QVERIFY(QFileInfo(m_dir->filePath("new.k83/inner")).isDir());
}

void tst_files::newLoadsShippedDefault()
{
    QDir::setCurrent(QStringLiteral(RZM_PROGRAM_DIR));
    MainWindow w;
    ModalDriver modals;
    modals.press();
    w.newfile();
    QCOMPARE(modals.seen(), QStringList{"File opened.|default17.ui successfully loaded."});
    QCOMPARE(windowdocument::filePath(w), QStringLiteral("default17.ui"));
    QCOMPARE(fileLabel(w), QStringLiteral("default17.ui"));
    FormContent expected;
    QCOMPARE(configfile::load("default17.ui", expected), configfile::LoadStatus::Loaded);
    QCOMPARE(w.captureForm(), expected);
}

QTEST_MAIN(tst_files)
#include "tst_files.moc"
