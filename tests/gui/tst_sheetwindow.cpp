// The handover sheet from the window: Nyomtatás… (Ctrl+P, from the field being
// edited) and Exportálás PDF-be… draw the form as it is shown, with the PIN
// masked; an edit the input check refuses stops them before anything is drawn.
// The sheets are read back with pdftotext. A cancelled or failed export writes nothing.
#include "core/phoneslot.h"
#include "gui/app/mainwindow.h"

#include "modaldriver.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "diskfiles.h"
#include "sampleforms.h"

namespace {

const QString kPin = QStringLiteral("7391");
const QString kRefused = QStringLiteral("77x7");
const QString kInputError = QStringLiteral("Input error|Only numbers.");

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A sheet of the form below, after the input check emptied m_id: its values, the
// PIN masked, and nothing of the refused edit.
void checkSheetText(const QString &text)
{
    QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
    const FormContent form = fixtures::richForm();
    for (const char *name : {"m_nev", "be1_nev", "ki3_on", "be2_off_msg"})
        QVERIFY2(text.contains(form.text(QLatin1String(name)).trimmed()), name);
    QVERIFY(text.contains(form.texts[phoneslot::phoneIndex(1)]));
    QVERIFY(text.contains(QStringLiteral("****")));
    QVERIFY(!text.contains(kPin));
    QVERIFY(!text.contains(kRefused));
}

} // namespace

class tst_sheetwindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void printPreviewDrawsTheCheckedForm();
    void exportWritesTheCheckedForm();
    void cancelledOrFailedExportWritesNothing();

private:
    // The window shown and active, the form filled, and a refused edit of m_id
    // under way in its field.
    QLineEdit *editRefusedId();

    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_sheetwindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_window = std::make_unique<MainWindow>();
    FormContent form = fixtures::richForm();
    form.setText("m_pin", kPin);
    m_window->applyForm(form);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

// Types the refused identifier into m_id, which keeps the focus; nullptr when the
// window has no m_id.
QLineEdit *tst_sheetwindow::editRefusedId()
{
    auto *id = m_window->findChild<QLineEdit *>("m_id");
    if (!id)
        return nullptr;
    id->setFocus();
    id->selectAll();
    QTest::keyClicks(id, kRefused);
    return id;
}

void tst_sheetwindow::printPreviewDrawsTheCheckedForm()
{
    QLineEdit *id = editRefusedId();
    QVERIFY(id);
    // Ctrl+P with the refused edit still in its field: the check's box, no preview.
    {
        ModalDriver modals;
        modals.press();
        QTest::keyClick(id, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(modals.seen(), QStringList{kInputError});
        QVERIFY(modals.unexpected.isEmpty());
    }
    QVERIFY(id->text().isEmpty());
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    // Again, from the emptied field: the preview's pages are printed into a PDF,
    // as its print button prints them to a printer.
    const QString printed = m_dir->filePath("printed.pdf");
    int pages = 0;
    ModalDriver modals;
    modals.then([&](QWidget *window) {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(window);
        auto *pagesWidget = preview ? preview->findChild<QPrintPreviewWidget *>() : nullptr;
        if (pagesWidget) {
            pages = pagesWidget->pageCount();
            preview->printer()->setOutputFileName(printed);
            pagesWidget->print();
        }
        window->close();
    });
    QTest::keyClick(id, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(modals.seen(), QStringList{"Print Preview|"});
    QVERIFY(modals.unexpected.isEmpty());
    QCOMPARE(pages, 2); // 63 slots in use run onto a second page
    checkSheetText(pdfText(printed));
}

// A sheet drawn from a file's form names the file; once the form holds edits the
// file does not, the name is marked so.
void tst_sheetwindow::exportWritesTheCheckedForm()
{
    QAction *exportPdf = m_window->findChild<QAction *>("actionExportPdf");
    QVERIFY(exportPdf);
    FormContent form = fixtures::richForm();
    form.setText("m_pin", kPin);
    const QString file = fixtures::writeForm(*m_dir, "site.k83", form);
    {
        ModalDriver modals;
        modals.press(QMessageBox::Discard).press();
        m_window->openGivenFile(file);
        QCOMPARE(modals.seen().value(1), "File opened.|site.k83 successfully loaded.");
    }
    const QString path = m_dir->filePath("sheet.pdf");
    {
        ModalDriver modals;
        modals.chooseFile(path).press();
        exportPdf->trigger();
        QCOMPARE(modals.seen().value(1), "Export|The handover sheet was saved as " + QDir::toNativeSeparators(path)
                                             + " (2 pages).");
        const QString text = pdfText(path);
        QVERIFY2(text.contains("site.k83") && !text.contains("módosítva"), qPrintable(text.left(400)));
    }
    // The refused edit stops the export before its dialog.
    QVERIFY(editRefusedId());
    {
        ModalDriver modals;
        modals.press();
        exportPdf->trigger();
        QCOMPARE(modals.seen(), QStringList{kInputError});
    }
    ModalDriver modals;
    modals.chooseFile(path).press();
    exportPdf->trigger();
    QCOMPARE(modals.seen(), (QStringList{"Exportálás PDF-be|PDF Files (*.pdf)",
                                         "Export|The handover sheet was saved as " + QDir::toNativeSeparators(path)
                                             + " (2 pages)."}));
    const QString text = pdfText(path);
    checkSheetText(text);
    QVERIFY2(text.contains("site.k83 (módosítva, nincs mentve)"), qPrintable(text.left(400)));
}

void tst_sheetwindow::cancelledOrFailedExportWritesNothing()
{
    QAction *exportPdf = m_window->findChild<QAction *>("actionExportPdf");
    QVERIFY(exportPdf);
    const QString missingFolder = m_dir->filePath("gone/sheet.pdf");
    {
        ModalDriver modals;
        modals.cancel();
        exportPdf->trigger();
        QCOMPARE(modals.seen(), QStringList{"Exportálás PDF-be|PDF Files (*.pdf)"});
    }
    {
        ModalDriver modals;
        modals.chooseFile(missingFolder).press();
        exportPdf->trigger();
        QCOMPARE(modals.shown.size(), 2);
        QCOMPARE(modals.shown[1].title, QStringLiteral("Export error"));
        QCOMPARE(modals.shown[1].icon, QMessageBox::Critical);
        QVERIFY2(modals.shown[1].text.startsWith("Cannot write the PDF file " + QDir::toNativeSeparators(missingFolder)
                                                 + ".\nReason: "),
                 qPrintable(modals.shown[1].text));
    }
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

QTEST_MAIN(tst_sheetwindow)
#include "tst_sheetwindow.moc"
