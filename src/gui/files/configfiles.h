#pragma once

#include "core/formcontent.h"
#include "documentstate.h"

#include <QCoreApplication>

class FormUi;
class QLabel;
class QWidget;
class UnsavedChanges;

// The file commands of the window: New, Open and Save on top of the core file
// format, and the question before unsaved edits are lost. The window owns one;
// its texts are the window's (translation context "MainWindow").
class ConfigFiles
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    ConfigFiles(QWidget *window, FormUi &form, DocumentState &document, UnsavedChanges &unsaved, QLabel *fileLabel);

    // newfile(): loads the default configuration "default17.ui".
    void newFile();
    // openfile(): asks for a file (after the unsaved-edits question) and loads it.
    void openFile();
    // A file named at start or dropped on the window: loaded as openFile() loads
    // the file chosen in its dialog, after the same question.
    void openGiven(const QString &path);
    // save(): the whole save; false when nothing was written (cancelled, refused, failed).
    bool save();
    // True when the form may be replaced or thrown away: nothing is unsaved, or
    // the user saved it or chose to discard it.
    bool mayDiscardForm();

private:
    void load();
    bool refuseUnsavable(const FormContent &form) const;
    QString describeField(int index) const;

    QWidget *m_window;
    FormUi &m_form;
    DocumentState &m_document;
    UnsavedChanges &m_unsaved;
    QLabel *m_fileLabel;
};
