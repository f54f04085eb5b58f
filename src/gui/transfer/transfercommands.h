#pragma once

#include "core/linksettings.h"
#include "gui/files/documentstate.h"

#include <QCoreApplication>

class FormUi;
class QWidget;
class UnsavedChanges;

// The window's transfer commands: download (behind the dload dialog and its
// worker), read-out and verify (on the GUI thread behind a progress dialog).
// The window owns one; its texts are the window's (context "MainWindow").
class TransferCommands
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    TransferCommands(QWidget *window, FormUi &form, const LinkSettings &settings, DocumentState &document,
                     UnsavedChanges &unsaved);

    void download(); // download()
    void readup();   // readup()
    void verify();   // verify_func()

private:
    QString lineBreakText(int index) const;

    QWidget *m_window;
    FormUi &m_form;
    const LinkSettings &m_settings;
    DocumentState &m_document;
    UnsavedChanges &m_unsaved;
};
