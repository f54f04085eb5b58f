#include "unsavedchanges.h"

#include "gui/form/formbinding.h"
#include "gui/form/formui.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>

UnsavedChanges::UnsavedChanges(QWidget *window, const FormUi &form)
    : QObject(window)
    , m_window(window)
    , m_form(form)
    , m_saved(formbinding::capture(form))
{
    setObjectName(QStringLiteral("unsavedChanges"));
    m_markTimer.setSingleShot(true);
    m_markTimer.setInterval(0);
    connect(&m_markTimer, &QTimer::timeout, this, &UnsavedChanges::showMark);
    for (QLineEdit *edit : form.textFields())
        connect(edit, &QLineEdit::textChanged, &m_markTimer, qOverload<>(&QTimer::start));
    for (QCheckBox *box : form.boxes())
        connect(box, &QCheckBox::toggled, &m_markTimer, qOverload<>(&QTimer::start));
}

void UnsavedChanges::setSaved(const FormContent &content)
{
    m_saved = content;
    showMark();
}

bool UnsavedChanges::pending() const
{
    return formbinding::capture(m_form) != m_saved;
}

UnsavedChanges::Answer UnsavedChanges::ask() const
{
    const auto pressed = QMessageBox::warning(
        m_window, QCoreApplication::translate("MainWindow", "Unsaved changes"),
        QCoreApplication::translate("MainWindow", "The form has changes that are not saved.\n"
                                                  "Do you want to save them?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    switch (pressed) {
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    default:
        return Answer::Cancel;
    }
}

void UnsavedChanges::showMark()
{
    m_window->setWindowModified(pending());
}
