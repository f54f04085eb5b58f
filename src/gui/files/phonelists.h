#pragma once

#include <QObject>

class ConfigFiles;
class FormUi;
class QWidget;

// The telephone slots as a CSV list from the window's File menu: Telefonszámok
// importálása… and Telefonszámok exportálása…. The list is the one rzm417-cli
// phones reads and writes (phonecsv), byte for byte. An import is checked row by
// row first and refused whole when one row is wrong; a good one changes only the
// slots it has rows for, as an edit does, so the form then counts as changed.
// Texts are the window's (WindowTexts).
class PhoneLists : public QObject
{
public:
    // The commands of `window`, which owns this object, on its form and document.
    PhoneLists(FormUi &form, const ConfigFiles &files, QWidget *window);

    void importList();
    void exportList();

private:
    FormUi &m_form;
    const ConfigFiles &m_files;
    QWidget *m_window;
};
