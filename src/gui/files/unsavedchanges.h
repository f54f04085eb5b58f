#pragma once

#include "core/formcontent.h"

#include <QObject>
#include <QTimer>

class FormUi;
class QWidget;

// Knows whether the form differs from what was last opened, saved, read out or
// downloaded, and shows it as the window's modified mark ("[*]" in its title).
// Only the values that files and transfers carry count: an edit undone by hand
// leaves nothing unsaved.
class UnsavedChanges : public QObject
{
public:
    // The form as it is now counts as saved.
    UnsavedChanges(QWidget *window, const FormUi &form);

    // What the form now holds is stored somewhere: in a file, or in the module.
    void setSaved(const FormContent &content);
    bool pending() const;

    enum class Answer { Save, Discard, Cancel };
    // Asks whether to save the unsaved edits before they are thrown away.
    Answer ask() const;

private:
    void showMark();

    QWidget *m_window;
    const FormUi &m_form;
    FormContent m_saved;
    // Many fields change at once when a file is loaded: the mark is brought up to
    // date once, after the change.
    QTimer m_markTimer;
};
