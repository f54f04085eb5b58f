#include "unsavedchanges.h"

#include "gui/form/formbinding.h"
#include "gui/form/formui.h"
#include "gui/windowtexts.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>

UnsavedChanges::UnsavedChanges(const FormUi &form, QObject *parent)
    : QObject(parent)
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

UnsavedChanges::Answer UnsavedChanges::ask(QWidget *window) const
{
    const auto pressed = QMessageBox::warning(
        window, WindowTexts::tr("Unsaved changes"),
        WindowTexts::tr("The form has changes that are not saved.\n"
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
    emit modifiedChanged(pending());
}
