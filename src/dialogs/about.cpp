#include "about.h"

#include "appinfo.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel *centredLabel(QWidget *parent, QVBoxLayout *layout, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    return label;
}

} // namespace

void aboutUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName("about");
    dialog->resize(311, 200);
    layoutWidget = new QWidget(dialog);
    layoutWidget->setObjectName("layoutWidget");
    layoutWidget->setGeometry(20, 20, 268, 164);
    verticalLayout = new QVBoxLayout(layoutWidget);
    verticalLayout->setObjectName("verticalLayout");
    verticalLayout->setContentsMargins(0, 0, 0, 0);
    label = centredLabel(layoutWidget, verticalLayout, "label");
    label_3 = centredLabel(layoutWidget, verticalLayout, "label_3");
    label_2 = centredLabel(layoutWidget, verticalLayout, "label_2");
    verticalSpacer = new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding);
    verticalLayout->addItem(verticalSpacer);
    label_5 = centredLabel(layoutWidget, verticalLayout, "label_5");
    label_4 = centredLabel(layoutWidget, verticalLayout, "label_4");
    QFont italic = label_4->font();
    italic.setItalic(true);
    label_4->setFont(italic);
    verticalSpacer_2 = new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding);
    verticalLayout->addItem(verticalSpacer_2);
    label_6 = centredLabel(layoutWidget, verticalLayout, "label_6");
    buttonBox = new QDialogButtonBox(layoutWidget);
    buttonBox->setObjectName("buttonBox");
    buttonBox->setOrientation(Qt::Horizontal);
    buttonBox->setStandardButtons(QDialogButtonBox::Close);
    buttonBox->setCenterButtons(true);
    verticalLayout->addWidget(buttonBox);
    QObject::connect(buttonBox, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttonBox, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    retranslateUi(dialog);
}

void aboutUi::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("about", "About"));
    label->setText(QCoreApplication::translate("about", "Copyright \u00a9 2011-2026 RZM-417 fejleszt\u0151k"));
    label_3->setText(QCoreApplication::translate("about", "www.rzm417.example"));
    label_2->setText(QCoreApplication::translate("about", "info@rzm417.example"));
    label_5->setText(QCoreApplication::translate("about", "Written by:"));
    label_4->setText(QCoreApplication::translate("about", "RZM-417 csapat, dev@rzm417.example"));
    label_6->setText(QCoreApplication::translate("about", "Version v%1").arg(QLatin1String(appinfo::version)));
}

about::about(QWidget *parent)
    : QDialog(parent)
{
    ui.setupUi(this);
}
