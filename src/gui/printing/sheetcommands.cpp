#include "sheetcommands.h"

#include "core/files/configfile.h"
#include "gui/form/formbinding.h"
#include "sheet/handoversheet.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>

SheetCommands::SheetCommands(QWidget *window, const FormUi &form, const DocumentState &document)
    : m_window(window)
    , m_form(form)
    , m_document(document)
{
}

sheet::SheetInput SheetCommands::sheetInput() const
{
    return {formbinding::capture(m_form), m_document.fileName, QDate::currentDate(), false};
}

void SheetCommands::print()
{
    // The preview takes the focus only once its window is up, after it has drawn
    // the pages: the field being edited is finished first, so its input check
    // runs before the form is copied, as it does before the save's copy.
    QPointer<QWidget> editing = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    if (editing && editing->window() == m_window) {
        editing->clearFocus();
        // The check may have put the focus on the field it refused: it stays there.
        if (QApplication::focusWidget())
            editing = QApplication::focusWidget();
    }
    const sheet::SheetInput input = sheetInput();

    QPrinter printer(QPrinter::HighResolution);
    sheet::useA4(printer);
    QPrintPreviewDialog preview(&printer, m_window);
    preview.setObjectName(QStringLiteral("printPreview"));
    preview.resize(m_window->size()); // a whole page readable at first sight
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [this, &input](QPrinter *target) {
        if (sheet::render(*target, input) == 0)
            QMessageBox::critical(m_window, tr("Print error"),
                                  tr("The handover sheet could not be printed.\nReason: the printer could not be "
                                     "started. Check the printer, or the file it is to print into."));
    });
    preview.exec();
    if (editing)
        editing->setFocus(Qt::OtherFocusReason);
}

// The name the status bar shows, with .pdf: beside the file while the path still
// names it (a refused Open leaves the refused file's path), else in the working
// folder, where the save's dialog starts too.
QString SheetCommands::suggestedPdfPath() const
{
    if (m_document.fileName.isEmpty())
        return QStringLiteral(".");
    const QString name = QFileInfo(m_document.fileName).completeBaseName() + QStringLiteral(".pdf");
    if (configfile::displayName(m_document.filePath) != m_document.fileName)
        return name;
    return QFileInfo(m_document.filePath).dir().filePath(name);
}

// A name typed without an ending gets .pdf, and the dialog asks before an
// existing file is replaced.
QString SheetCommands::askPdfPath() const
{
    QFileDialog dialog(m_window, tr("Exportálás PDF-be"), suggestedPdfPath(), tr("PDF Files (*.pdf)"));
    dialog.setObjectName(QStringLiteral("exportPdfDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

void SheetCommands::exportPdf()
{
    const QString path = askPdfPath();
    if (path.isEmpty())
        return;
    // The dialog took the focus from the field being edited, and so ran the input
    // check on it: only now does the form hold what is to be printed.
    QString reason;
    int pages = 0;
    const QString shown = QDir::toNativeSeparators(path);
    if (!sheet::writePdf(path, sheetInput(), &reason, &pages)) {
        QMessageBox::critical(m_window, tr("Export error"),
                              tr("Cannot write the PDF file %1.\nReason: %2\nNothing was written; a file "
                                 "already there is unchanged.")
                                  .arg(shown, reason));
        return;
    }
    const QString done = pages == 1 ? tr("The handover sheet was saved as %1 (1 page).").arg(shown)
                                    : tr("The handover sheet was saved as %1 (%2 pages).").arg(shown, QString::number(pages));
    QMessageBox::information(m_window, tr("Export"), done);
}
