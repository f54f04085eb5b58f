#pragma once

#include "gui/files/documentstate.h"

#include <QCoreApplication>

class FormUi;
class QWidget;
namespace sheet {
struct SheetInput;
}

// The handover sheet from the window: Nyomtatás… (the print preview, and from it
// the printer) and Exportálás PDF-be…. Both draw the form as it is shown, copied
// as the save copies it, once the input check has run on the field being edited.
// The PIN is printed masked; rzm417-cli sheet --show-pin prints it. Texts are the
// window's (translation context "MainWindow").
class SheetCommands
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    SheetCommands(QWidget *window, const FormUi &form, const DocumentState &document);

    void print();
    void exportPdf();

private:
    sheet::SheetInput sheetInput() const;
    QString suggestedPdfPath() const;
    QString askPdfPath() const;

    QWidget *m_window;
    const FormUi &m_form;
    const DocumentState &m_document;
};
