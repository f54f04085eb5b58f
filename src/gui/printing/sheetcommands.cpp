#include "sheetcommands.h"

#include "gui/files/configfiles.h"
#include "gui/files/savedialog.h"
#include "gui/form/formbinding.h"
#include "gui/form/formchecks.h"
#include "gui/windowtexts.h"
#include "sheet/handoversheet.h"

#include <QDir>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>

SheetCommands::SheetCommands(const FormUi &form, const ConfigFiles &files, QWidget *window)
    : QObject(window)
    , m_form(form)
    , m_files(files)
    , m_window(window)
{
    setObjectName(QStringLiteral("sheetCommands"));
}

sheet::SheetInput SheetCommands::sheetInput() const
{
    const DocumentState &document = m_files.document();
    return {formbinding::capture(m_form), document.fileName, m_files.hasUnsavedChanges(), QDate::currentDate(),
            false};
}

void SheetCommands::print()
{
    if (!formchecks::finishEdit(m_window, m_form))
        return;
    const sheet::SheetInput input = sheetInput();

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
}

void SheetCommands::exportPdf()
{
    if (!formchecks::finishEdit(m_window, m_form))
        return;
    const QString path = askSavePath(m_window, m_files.document(),
                                     {QStringLiteral("exportPdfDialog"), WindowTexts::tr("Exportálás PDF-be"),
                                      WindowTexts::tr("PDF Files (*.pdf)"), QStringLiteral("pdf")});
    if (path.isEmpty())
        return;
    QString reason;
    int pages = 0;
    const QString shown = QDir::toNativeSeparators(path);
    if (!sheet::writePdf(path, sheetInput(), &reason, &pages)) {
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
