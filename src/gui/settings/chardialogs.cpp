#include "chardialogs.h"
#include "ui_onechardialog.h"

#include "core/latin1.h"

#include <QEvent>
#include <QPushButton>

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

OneCharDialog::OneCharDialog(QWidget *parent, const QMetaObject &kind, const Look &look, const QString &initial)
    : QDialog(parent)
    , ui(std::make_unique<Ui::OneCharDialog>())
    , m_context(kind.className())
    , m_look(look)
{
    setObjectName(QLatin1String(m_context));
    ui->setupUi(this);
    resize(look.size);
    ui->buttonBox->setCenterButtons(look.centreButtons);
    retranslateUi();
    ui->i_char->setText(initial);
    connect(ui->i_char, &QLineEdit::textChanged, this, &OneCharDialog::handleChange);
}

OneCharDialog::~OneCharDialog() = default;

quint8 OneCharDialog::character() const
{
    return charfield::firstByte(ui->i_char->text());
}

void OneCharDialog::handleChange(const QString &text)
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!text.isEmpty());
}

void OneCharDialog::retranslateUi()
{
    setWindowTitle(QCoreApplication::translate(m_context, m_look.title));
    ui->label->setText(QCoreApplication::translate(m_context, m_look.label));
}

void OneCharDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
}

setFix::setFix(QWidget *parent)
    : OneCharDialog(parent, staticMetaObject,
                    {QT_TRANSLATE_NOOP("setFix", "CHKS Char"), QT_TRANSLATE_NOOP("setFix", "CHKS Char:"), {268, 127}, true},
                    QString())
{
}

setAck::setAck(QWidget *parent, quint8 ackChar)
    : OneCharDialog(parent, staticMetaObject,
                    {QT_TRANSLATE_NOOP("setAck", "ACK char"), QT_TRANSLATE_NOOP("setAck", "ACK Char:"), {286, 114}, false},
                    charfield::text(ackChar))
{
}

setUC::setUC(QWidget *parent, quint8 uploadCommand)
    : OneCharDialog(parent, staticMetaObject,
                    {QT_TRANSLATE_NOOP("setUC", "Upload Command"), QT_TRANSLATE_NOOP("setUC", "Upload Command: "),
                     {320, 118}, false},
                    charfield::text(uploadCommand))
{
}
