#pragma once

#include "gui/files/documentstate.h"

#include <QString>

class FormUi;
class QWidget;
namespace sheet {
struct SheetInput;
}

// The handover sheet from the window: Nyomtatás… (the print preview, and from it
// the printer) and Exportálás PDF-be…. Both draw the form as it is shown, copied
// as the save copies it, once the input check has run on the field being edited.
// The PIN is printed masked; rzm417-cli sheet --show-pin prints it. The sheet
// names the document's file, which the caller hands over with each command.
// Texts are the window's (WindowTexts).
class SheetCommands
{
public:
    SheetCommands(const FormUi &form, QWidget *window);

    void print(const DocumentState &document);
    void exportPdf(const DocumentState &document);

private:
    sheet::SheetInput sheetInput(const DocumentState &document) const;

    const FormUi &m_form;
    QWidget *m_window;
};
