#pragma once

#include "core/formcontent.h"

#include <QObject>
#include <QTimer>

class FormUi;
class QWidget;

// Knows whether the form differs from what was last opened, saved, read out or
// downloaded, and says so through modifiedChanged() (the window shows it as its
// modified mark, "[*]" in its title). Only the values that files and transfers
// carry count: an edit undone by hand leaves nothing unsaved.
class UnsavedChanges : public QObject
{
    Q_OBJECT

public:
    // The form as it is now counts as saved.
    UnsavedChanges(const FormUi &form, QObject *parent);

    // What the form now holds is stored somewhere: in a file, or in the module.
    void setSaved(const FormContent &content);
    bool pending() const;

    enum class Answer { Save, Discard, Cancel };
    // Asks, in a box on `window`, whether to save the unsaved edits before they are thrown away.
    Answer ask(QWidget *window) const;

signals:
    void modifiedChanged(bool modified);

private:
    void showMark();

    const FormUi &m_form;
    FormContent m_saved;
    // Many fields change at once when a file is loaded: the mark is brought up to
    // date once, after the change.
    QTimer m_markTimer;
};
