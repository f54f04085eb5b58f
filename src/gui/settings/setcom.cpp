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

namespace {

// A port and its state in `pattern`, the fix on a line of its own where there is
// one, so that it can be read (and typed) whole in the narrow dialog.
QString stateLine(const QString &pattern, const QString &port, const portstate::Status &status)
{
    QString line = pattern.arg(port, portstate::describe(status));
    if (const QString how = portstate::fix(status); !how.isEmpty())
        line += QLatin1Char('\n') + setcom::tr("Tip: %1.").arg(how);
    return line;
}

} // namespace

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
    const QString port = portview::nameWithDevice(portnames::comName(leftOut->number));
    const QString text = stateLine(tr("%1 is not listed: %2."), port, leftOut->status);
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
    const QString line = stateLine(tr("%1 stays chosen: %2."), portview::nameWithDevice(port), status);
    const QString leftOut = ui->l_why->text();
    ui->l_why->setText(leftOut.isEmpty() ? line : line + QLatin1Char('\n') + leftOut);
    ui->l_why->setVisible(true);
}

setcom::~setcom() = default;

QString setcom::port() const
{
    return ui->comboBox->currentText();
}
