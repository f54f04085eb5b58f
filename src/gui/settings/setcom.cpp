#include "setcom.h"
#include "ui_setcom.h"

#include "core/linksettings.h"
#include "core/serial/comassign.h"
#include "core/serial/portnames.h"
#include "core/serial/portprobe.h"
#include "core/serial/portscan.h"
#include "core/serial/portsurvey.h"

#include <QComboBox>
#include <QLabel>

setcom::setcom(const QString &port, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::setcom>())
{
    ui->setupUi(this);

    // Probed anew at every opening: only what is free right now is offered. An
    // adapter plugged in since the last look gets its lasting number first.
    portscan::assignNumbers();
    ui->comboBox->clear();
    for (int n = 1; n <= comassign::kHighestNumber; ++n) {
        const QString name = portnames::comName(n);
        if (!portnames::canOpenExclusively(name))
            continue;
        ui->comboBox->addItem(name);
        if (name == port)
            ui->comboBox->setCurrentIndex(ui->comboBox->count() - 1);
    }

    explainLeftOut();

    ui->baudrate->setCurrentIndex(ui->baudrate->findText(QString::number(LineBaudRate)));
}

void setcom::explainLeftOut()
{
    QSet<int> listed;
    for (int i = 0; i < ui->comboBox->count(); ++i)
        listed.insert(portnames::comNumber(ui->comboBox->itemText(i)));
    const auto leftOut = portsurvey::firstLeftOut(listed);
    if (!leftOut)
        return;
#ifdef Q_OS_WIN
    // The device is "\\.\COMn" there: it says nothing the COM name does not.
    const QString port = portnames::comName(leftOut->number);
#else
    const QString device = leftOut->device.startsWith(QLatin1String("/dev/")) ? leftOut->device.mid(5) : leftOut->device;
    const QString port = QStringLiteral("%1 (%2)").arg(portnames::comName(leftOut->number), device);
#endif
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
    ui->l_why->setText(text);
    ui->l_why->setVisible(true);
}

setcom::~setcom() = default;

QString setcom::port() const
{
    return ui->comboBox->currentText();
}
