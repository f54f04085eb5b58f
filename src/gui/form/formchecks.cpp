#include "formchecks.h"

#include "core/coretexts.h"
#include "core/inputrules.h"
#include "core/smscentre.h"
#include "formbinding.h"
#include "formui.h"
#include "gui/windowtexts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>

namespace formchecks {

bool checkInput(QWidget *window, const FormUi &form)
{
    // Capture afresh each run: the warning box below runs a nested event loop in
    // which focus changes may start another run of this check.
    const auto violation = inputrules::firstViolation(formbinding::capture(form));
    if (!violation)
        return true;
    QLineEdit *field = form.textFields().value(violation->index);
    if (!field)
        return true;
    field->clear();
    field->setFocus(Qt::OtherFocusReason);
    QMessageBox::warning(window, WindowTexts::tr("Input error"),
                         CoreTexts::tr(violation->message.toUtf8().constData()));
    return false;
}

bool finishEdit(QWidget *window, const FormUi &form)
{
    // A command reached by its shortcut runs while the field still has the focus,
    // so its edit has not been finished by leaving it.
    auto *field = qobject_cast<QLineEdit *>(window->focusWidget());
    if (!field || !field->isModified() || !form.textFields().contains(field))
        return true;
    field->setModified(false);
    return checkInput(window, form);
}

void takeSmsCentre(const FormUi &form)
{
    // Decided by the index, so a translated item text still picks its operator.
    const int choice = form.smskpCombo()->currentIndex();
    QLineEdit *smskp = form.smskp();
    if (choice == smscentre::CustomIndex) {
        smskp->setEnabled(true);
        smskp->setFocus(Qt::OtherFocusReason);
    } else {
        smskp->setEnabled(false);
    }
    if (choice >= 0 && choice < smscentre::CustomIndex)
        smskp->setText(smscentre::number(choice));
}

void showSmsCentre(const FormUi &form)
{
    form.smskpCombo()->setCurrentIndex(smscentre::indexForNumber(form.smskp()->text()));
}

} // namespace formchecks
