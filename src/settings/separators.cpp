#include "separators.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

void separatorsUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName("separators");
    dialog->resize(325, 157);
    verticalLayout = new QVBoxLayout(dialog);
    verticalLayout->setObjectName("verticalLayout");
    downloadRow.setupUi(dialog, verticalLayout, QStringLiteral("label"), QStringLiteral("c_ds"));
    uploadRow.setupUi(dialog, verticalLayout, QStringLiteral("label_2"), QStringLiteral("c_us"));
    c_ds = downloadRow.field;
    c_us = uploadRow.field;
    buttonBox = addOkCancel(dialog, verticalLayout, false);
    retranslateUi(dialog);
}

void separatorsUi::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("separators", "Separators"));
    downloadRow.label->setText(QCoreApplication::translate("separators", "Download separator:"));
    uploadRow.label->setText(QCoreApplication::translate("separators", "Upload separator:"));
}

separators::separators(QWidget *parent, quint8 downloadSeparator, quint8 uploadSeparator)
    : QDialog(parent)
{
    ui.setupUi(this);
    ui.c_ds->setText(charfield::text(downloadSeparator));
    ui.c_us->setText(charfield::text(uploadSeparator));
    connect(ui.c_ds, &QLineEdit::textChanged, this, &separators::handleChange);
    connect(ui.c_us, &QLineEdit::textChanged, this, &separators::handleChange);
}

quint8 separators::downloadSeparator() const
{
    return charfield::firstByte(ui.c_ds->text());
}

quint8 separators::uploadSeparator() const
{
    return charfield::firstByte(ui.c_us->text());
}

void separators::handleChange()
{
    const bool both = !ui.c_ds->text().isEmpty() && !ui.c_us->text().isEmpty();
    ui.buttonBox->button(QDialogButtonBox::Ok)->setEnabled(both);
}
