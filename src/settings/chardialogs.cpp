#include "chardialogs.h"

#include "latin1.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace charfield {

quint8 firstByte(const QString &text)
{
    // toLatin1() turns everything outside Latin-1 into '?'.
    const QByteArray bytes = text.toLatin1();
    return bytes.isEmpty() ? 0 : static_cast<quint8>(bytes.at(0));
}

QString text(quint8 byte)
{
    return byte == 0 ? QString() : QString(latin1::fromByte(byte));
}

} // namespace charfield

void CharRowUi::setupUi(QWidget *dialog, QVBoxLayout *parentLayout, const QString &labelName,
                        const QString &fieldName)
{
    layout = new QHBoxLayout();
    layout->setObjectName(QStringLiteral("layout_") + fieldName);
    label = new QLabel(dialog);
    label->setObjectName(labelName);
    layout->addWidget(label);
    field = new QLineEdit(dialog);
    field->setObjectName(fieldName);
    field->setMaxLength(1);
    layout->addWidget(field);
    parentLayout->addLayout(layout);
}

QDialogButtonBox *addOkCancel(QDialog *dialog, QVBoxLayout *layout, bool centred)
{
    auto *buttons = new QDialogButtonBox(dialog);
    buttons->setObjectName("buttonBox");
    buttons->setOrientation(Qt::Horizontal);
    buttons->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setCenterButtons(centred);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void OneCharUi::setupUi(QDialog *dialog, const char *objectName, QSize size, bool centreButtons)
{
    dialog->setObjectName(QLatin1String(objectName));
    dialog->resize(size);
    verticalLayout = new QVBoxLayout(dialog);
    verticalLayout->setObjectName("verticalLayout");
    row.setupUi(dialog, verticalLayout, QStringLiteral("label"), QStringLiteral("i_char"));
    i_char = row.field;
    buttonBox = addOkCancel(dialog, verticalLayout, centreButtons);
}

void OneCharUi::retranslateUi(QDialog *dialog, const char *context, const char *title, const char *label)
{
    dialog->setWindowTitle(QCoreApplication::translate(context, title));
    row.label->setText(QCoreApplication::translate(context, label));
}

void setFixUi::setupUi(QDialog *dialog)
{
    OneCharUi::setupUi(dialog, "setFix", QSize(268, 127), true);
    retranslateUi(dialog);
}

void setFixUi::retranslateUi(QDialog *dialog)
{
    OneCharUi::retranslateUi(dialog, "setFix", "CHKS Char", "CHKS Char:");
}

void setAckUi::setupUi(QDialog *dialog)
{
    OneCharUi::setupUi(dialog, "setAck", QSize(286, 114), false);
    retranslateUi(dialog);
}

void setAckUi::retranslateUi(QDialog *dialog)
{
    OneCharUi::retranslateUi(dialog, "setAck", "ACK char", "ACK Char:");
}

void setUCUi::setupUi(QDialog *dialog)
{
    OneCharUi::setupUi(dialog, "setUC", QSize(320, 118), false);
    retranslateUi(dialog);
}

void setUCUi::retranslateUi(QDialog *dialog)
{
    OneCharUi::retranslateUi(dialog, "setUC", "Upload Command", "Upload Command: ");
}

quint8 OneCharDialog::character() const
{
    return charfield::firstByte(m_field->text());
}

void OneCharDialog::handleChange(const QString &text)
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!text.isEmpty());
}

void OneCharDialog::watch(QLineEdit *field, QDialogButtonBox *buttons)
{
    m_field = field;
    m_buttons = buttons;
    connect(field, &QLineEdit::textChanged, this, &OneCharDialog::handleChange);
}

setFix::setFix(QWidget *parent)
    : OneCharDialog(parent)
{
    ui.setupUi(this);
    watch(ui.i_char, ui.buttonBox);
}

setAck::setAck(QWidget *parent, quint8 ackChar)
    : OneCharDialog(parent)
{
    ui.setupUi(this);
    ui.i_char->setText(charfield::text(ackChar));
    watch(ui.i_char, ui.buttonBox);
}

setUC::setUC(QWidget *parent, quint8 uploadCommand)
    : OneCharDialog(parent)
{
    ui.setupUi(this);
    ui.i_char->setText(charfield::text(uploadCommand));
    watch(ui.i_char, ui.buttonBox);
}
