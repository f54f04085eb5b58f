#include "setcom.h"
#include "ui_setcom.h"

#include "core/linksettings.h"
#include "core/portview.h"
#include "core/serial/comassign.h"
#include "core/serial/portnames.h"
#include "core/serial/portprobe.h"
#include "core/serial/portscan.h"
#include "core/serial/portstate.h"
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

    // The chosen port first, so that the line about a port left out names another.
    const bool kept = keepChosen(port);
    explainLeftOut();
    if (kept)
        explainChosen(port);

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

// The port chosen before stays the choice while another program holds it or it is
// gone: only a choice made here changes the port. The list shows it in its place;
// false when it is listed anyway (or there is none).
bool setcom::keepChosen(const QString &port)
{
    if (port.isEmpty() || ui->comboBox->findText(port) >= 0)
        return false;
    int at = ui->comboBox->count(); // a device path goes last
    if (const int number = portnames::comNumber(port); number > 0) {
        at = 0;
        while (at < ui->comboBox->count() && portnames::comNumber(ui->comboBox->itemText(at)) < number)
            ++at;
    }
    ui->comboBox->insertItem(at, port);
    ui->comboBox->setCurrentIndex(at);
    return true;
}

// One line says what stands in the kept port's way, as the ports doctor names it.
void setcom::explainChosen(const QString &port)
{
    const portstate::Status status = portstate::examine(portnames::systemLocation(port));
    const QString line = tr("%1 stays chosen: %2.").arg(portview::nameWithDevice(port), portstate::describe(status));
    const QString leftOut = ui->l_why->text();
    ui->l_why->setText(leftOut.isEmpty() ? line : line + QLatin1Char('\n') + leftOut);
    ui->l_why->setVisible(true);
}

setcom::~setcom() = default;

QString setcom::port() const
{
    return ui->comboBox->currentText();
}
