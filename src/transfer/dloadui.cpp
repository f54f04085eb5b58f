#include "dloadui.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>

void DloadUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName("dload");
    dialog->resize(262, 128);

    label = new QLabel(dialog);
    label->setObjectName("label");
    label->setGeometry(10, 10, 71, 71);
    label->setPixmap(QPixmap(QStringLiteral(":/img/img/icon_download.png")));

    kiiras = new QLabel(dialog);
    kiiras->setObjectName("kiiras");
    kiiras->setGeometry(90, 20, 151, 51);
    kiiras->setAlignment(Qt::AlignCenter);
    kiiras->setWordWrap(true);

    progressBar = new QProgressBar(dialog);
    progressBar->setObjectName("progressBar");
    progressBar->setGeometry(10, 90, 151, 21);
    progressBar->setValue(24);

    buttonBox = new QDialogButtonBox(dialog);
    buttonBox->setObjectName("buttonBox");
    buttonBox->setGeometry(180, 90, 71, 21);
    buttonBox->setOrientation(Qt::Horizontal);
    buttonBox->setStandardButtons(QDialogButtonBox::Cancel);
    buttonBox->setCenterButtons(true);
    buttonBox->setEnabled(false);

    retranslateUi(dialog);
    QObject::connect(buttonBox, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttonBox, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
}

void DloadUi::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("dload", "Download"));
    label->setText(QString());
    kiiras->setText(QCoreApplication::translate("dload", "Betöltés..."));
}
