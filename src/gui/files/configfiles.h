#pragma once

#include "core/formcontent.h"
#include "documentstate.h"

#include <QObject>

class FormUi;
class QWidget;
class UnsavedChanges;

// The file commands of the window: New, Open and Save on top of the core file
// format, and the question before unsaved edits are lost. It owns the document
// (which file the form came from) and knows whether the form has changed since;
// it tells the window through its signals. Its texts are the window's (WindowTexts).
class ConfigFiles : public QObject
{
    Q_OBJECT

public:
    // The commands of `window`, which owns this object, on its form.
    ConfigFiles(FormUi &form, QWidget *window);

    const DocumentState &document() const { return m_document; }

    // newfile(): loads the default configuration "default17.ui".
    void newFile();
    // openfile(): asks for a file (after the unsaved-edits question) and loads it.
    void openFile();
    // A file named at start or dropped on the window: loaded as openFile() loads
    // the file chosen in its dialog, after the same question.
    void openGiven(const QString &path);
    // save(): the whole save; false when nothing was written (cancelled, refused, failed).
    bool save();
    // The form differs from what was last opened, saved, read out or downloaded.
    bool hasUnsavedChanges() const;
    // True when the form may be replaced or thrown away: nothing is unsaved, or
    // the user saved it or chose to discard it.
    bool mayDiscardForm();
    // The module now holds `content` (a download was acknowledged, a read-out was
    // put on the form): nothing of it is unsaved.
    void markStored(const FormContent &content);

signals:
    // A file was loaded or saved; `fileName` is its name as the status bar shows it.
    void fileChanged(const QString &fileName);
    // The form now differs, or no longer differs, from what was last stored.
    void modifiedChanged(bool modified);

private:
    void load();
    bool refuseUnsavable(const FormContent &form) const;
    QString describeField(int index) const;

    QWidget *m_window;
    FormUi &m_form;
    DocumentState m_document;
    UnsavedChanges *m_unsaved;
};
