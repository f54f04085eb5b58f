#include "sheetcommands.h"

#include "gui/files/savedialog.h"
#include "gui/form/formbinding.h"
#include "gui/windowtexts.h"
#include "sheet/handoversheet.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>

SheetCommands::SheetCommands(const FormUi &form, QWidget *window)
    : m_form(form)
    , m_window(window)
{
}

sheet::SheetInput SheetCommands::sheetInput(const DocumentState &document) const
{
    return {formbinding::capture(m_form), document.fileName, QDate::currentDate(), false};
}

void SheetCommands::print(const DocumentState &document)
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
    const sheet::SheetInput input = sheetInput(document);

    QPrinter printer(QPrinter::HighResolution);
    sheet::useA4(printer);
    QPrintPreviewDialog preview(&printer, m_window);
    preview.setObjectName(QStringLiteral("printPreview"));
    preview.resize(m_window->size()); // a whole page readable at first sight
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [this, &input](QPrinter *target) {
        if (sheet::render(*target, input) == 0)
            QMessageBox::critical(m_window, WindowTexts::tr("Print error"),
                                  WindowTexts::tr("The handover sheet could not be printed.\nReason: the printer "
                                                  "could not be started. Check the printer, or the file it is "
                                                  "to print into."));
    });
    preview.exec();
    if (editing)
        editing->setFocus(Qt::OtherFocusReason);
}

void SheetCommands::exportPdf(const DocumentState &document)
{
    const QString path = askSavePath(m_window, document,
                                     {QStringLiteral("exportPdfDialog"), WindowTexts::tr("Exportálás PDF-be"),
                                      WindowTexts::tr("PDF Files (*.pdf)"), QStringLiteral("pdf")});
    if (path.isEmpty())
        return;
    // The dialog took the focus from the field being edited, and so ran the input
    // check on it: only now does the form hold what is to be printed.
    QString reason;
    int pages = 0;
    const QString shown = QDir::toNativeSeparators(path);
    if (!sheet::writePdf(path, sheetInput(document), &reason, &pages)) {
        QMessageBox::critical(m_window, WindowTexts::tr("Export error"),
                              WindowTexts::tr("Cannot write the PDF file %1.\nReason: %2\nNothing was written; "
                                              "a file already there is unchanged.")
                                  .arg(shown, reason));
        return;
    }
    const QString done = pages == 1
        ? WindowTexts::tr("The handover sheet was saved as %1 (1 page).").arg(shown)
        : WindowTexts::tr("The handover sheet was saved as %1 (%2 pages).").arg(shown, QString::number(pages));
    QMessageBox::information(m_window, WindowTexts::tr("Export"), done);
}
