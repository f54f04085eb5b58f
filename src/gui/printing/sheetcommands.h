#pragma once

#include <QObject>

class ConfigFiles;
class FormUi;
class QWidget;
namespace sheet {
struct SheetInput;
}

// The handover sheet from the window: Nyomtatás… (the print preview, and from it
// the printer) and Exportálás PDF-be…. Both draw the form as it is shown, once the
// edit in progress has been finished. The PIN is printed masked; rzm417-cli sheet
// --show-pin prints it. The sheet names the document's file, and says so when the
// form holds edits that file does not. Texts are the window's (WindowTexts).
class SheetCommands : public QObject
{
public:
    // The commands of `window`, which owns this object, on its form and document.
    SheetCommands(const FormUi &form, const ConfigFiles &files, QWidget *window);

    void print();
    void exportPdf();

private:
    sheet::SheetInput sheetInput() const;

    const FormUi &m_form;
    const ConfigFiles &m_files;
    QWidget *m_window;
};
