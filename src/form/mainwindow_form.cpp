// The form's own slots: the input check after every edit, and the SMS-centre choice.
#include "mainwindow.h"
#include "mainwindowui.h"
#include "formui.h"

#include "formbinding.h"
#include "inputrules.h"
#include "smscentre.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>

void MainWindow::input_check()
{
    // Capture afresh each run: the warning box below runs a nested event loop in
    // which focus changes may start another run of this slot.
    const FormContent form = formbinding::capture(ui->centralWidget);
    const auto violation = inputrules::firstViolation(form);
    if (!violation)
        return;
    const auto edits = ui->centralWidget->findChildren<QLineEdit *>();
    QLineEdit *field = edits.value(violation->index);
    if (!field)
        return;
    field->clear();
    field->setFocus(Qt::OtherFocusReason);
    QMessageBox::warning(this, tr("Input error"), tr(violation->message.toUtf8().constData()));
}

void MainWindow::smskpSelect()
{
    auto *smskp = ui->centralWidget->findChild<QLineEdit *>(QStringLiteral("smskp"));
    const QString choice = ui->form->smskp_combo->currentText();
    if (choice == smscentre::operatorName(smscentre::CustomIndex)) {
        smskp->setEnabled(true);
        smskp->setFocus(Qt::OtherFocusReason);
    } else {
        smskp->setEnabled(false);
    }
    for (int i = 0; i < smscentre::CustomIndex; ++i)
        if (ui->form->smskp_combo->currentText() == smscentre::operatorName(i))
            smskp->setText(smscentre::number(i));
}

void MainWindow::selectSmsCentre()
{
    // Only a real change of index emits the signal and so runs smskpSelect().
    const auto *smskp = ui->centralWidget->findChild<QLineEdit *>(QStringLiteral("smskp"));
    ui->form->smskp_combo->setCurrentIndex(smscentre::indexForNumber(smskp->text()));
}
