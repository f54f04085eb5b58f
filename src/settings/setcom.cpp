#include "setcom.h"

#include "chardialogs.h"
#include "serial/portnames.h"
#include "serial/portprobe.h"
#include "serial/portscan.h"
#include "serial/portsurvey.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {
constexpr int kPortCount = 32;
const char *const kRates[] = {"150", "200", "300", "600", "1200", "1800", "2400",
                              "4800", "9600", "19200", "38400", "57600", "76800", "115200"};
} // namespace

void setcomUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName("setcom");
    dialog->resize(252, 146);
    verticalLayout = new QVBoxLayout(dialog);
    verticalLayout->setObjectName("verticalLayout");
    gridLayout = new QGridLayout();
    gridLayout->setObjectName("gridLayout");
    l_com = new QLabel(dialog);
    l_com->setObjectName("l_com");
    gridLayout->addWidget(l_com, 0, 0);
    comboBox = new QComboBox(dialog);
    comboBox->setObjectName("comboBox");
    for (int n = 1; n <= kPortCount; ++n)
        comboBox->addItem(QString());
    gridLayout->addWidget(comboBox, 0, 1);
    l_baud = new QLabel(dialog);
    l_baud->setObjectName("l_baud");
    gridLayout->addWidget(l_baud, 1, 0);
    baudrate = new QComboBox(dialog);
    baudrate->setObjectName("baudrate");
    baudrate->setEnabled(false);
    for (const char *rate : kRates)
        baudrate->addItem(QString::fromLatin1(rate));
    gridLayout->addWidget(baudrate, 1, 1);
    verticalLayout->addLayout(gridLayout);
    l_why = new QLabel(dialog);
    l_why->setObjectName("l_why");
    l_why->setTextFormat(Qt::PlainText);
    l_why->setTextInteractionFlags(Qt::TextSelectableByMouse); // so the fix can be copied
    l_why->setVisible(false);
    verticalLayout->addWidget(l_why);
    verticalSpacer = new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding);
    verticalLayout->addItem(verticalSpacer);
    buttonBox = addOkCancel(dialog, verticalLayout, true);
    retranslateUi(dialog);
}

void setcomUi::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("setcom", "Port options"));
    l_com->setText(QCoreApplication::translate("setcom", "COM Port:"));
    l_baud->setText(QCoreApplication::translate("setcom", "Baudrate:"));
    for (int n = 1; n <= kPortCount; ++n)
        comboBox->setItemText(n - 1, QCoreApplication::translate("setcom", "COM%1").arg(n));
}

setcom::setcom(const QString &port, int baudRate, QWidget *parent)
    : QDialog(parent)
{
    ui.setupUi(this);

    // Probed anew at every opening: only what is free right now is offered. An
    // adapter plugged in since the last look gets its lasting number first.
    portscan::assignNumbers();
    ui.comboBox->clear();
    for (int n = 1; n <= kPortCount; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        if (!portnames::canOpenExclusively(name))
            continue;
        ui.comboBox->addItem(name);
        if (name == port)
            ui.comboBox->setCurrentIndex(ui.comboBox->count() - 1);
    }

    explainLeftOut();

    const QString rate = QString::number(baudRate);
    const int rateIndex = ui.baudrate->findText(rate);
    if (rateIndex >= 0)
        ui.baudrate->setCurrentIndex(rateIndex);
}

void setcom::explainLeftOut()
{
    QSet<int> listed;
    for (int i = 0; i < ui.comboBox->count(); ++i)
        listed.insert(portnames::comNumber(ui.comboBox->itemText(i)));
    const auto leftOut = portsurvey::firstLeftOut(listed);
    if (!leftOut)
        return;
    const QString device = leftOut->device.startsWith(QLatin1String("/dev/")) ? leftOut->device.mid(5) : leftOut->device;
    const QString port = QStringLiteral("COM%1 (%2)").arg(leftOut->number).arg(device);
    const portstate::Status &status = leftOut->status;
    QString text;
    if (status.state == portstate::State::NoPermission && !status.group.isEmpty())
        text = tr("%1 is not listed: no permission.\nTip: sudo adduser $USER %2, then log in again.").arg(port, status.group);
    else if (status.state == portstate::State::NoPermission)
        text = tr("%1 is not listed: no permission.").arg(port);
    else if (status.pid > 0 && !status.process.isEmpty())
        text = tr("%1 is not listed: in use by %2 (PID %3).").arg(port, status.process).arg(status.pid);
    else
        text = tr("%1 is not listed: in use by another program.").arg(port);
    ui.l_why->setText(text);
    ui.l_why->setVisible(true);
}

QString setcom::port() const
{
    return ui.comboBox->currentText();
}

int setcom::baudRate() const
{
    return ui.baudrate->currentText().toInt();
}
