#include "linkcommands.h"

#include "chardialogs.h"
#include "separators.h"
#include "setcom.h"

#include <QLabel>
#include <QMenu>

LinkCommands::LinkCommands(QWidget *window, LinkSettings &settings, QLabel *portLabel, QMenu *checksumMenu)
    : m_window(window)
    , m_settings(settings)
    , m_portLabel(portLabel)
    , m_checksumMenu(checksumMenu)
{
}

QString LinkCommands::portLabelText(const LinkSettings &settings, PortLabel when)
{
    const QString pattern = when == PortLabel::AtStart ? tr("%1  Baud: %2") : tr("%1 Baud: %2");
    return pattern.arg(settings.port).arg(settings.baudRate);
}

void LinkCommands::editPort()
{
    setcom dialog(m_settings.port, m_settings.baudRate, m_window);
    if (dialog.exec() == QDialog::Rejected)
        return;
    m_settings.port = dialog.port();
    m_settings.baudRate = dialog.baudRate();
    m_portLabel->setText(portLabelText(m_settings, PortLabel::AfterDialog));
}

void LinkCommands::editFixedChar()
{
    setFix dialog(m_window);
    if (dialog.exec() == QDialog::Rejected)
        return;
    // An empty field gives 0, which reads as the 8-bit sum.
    m_settings.checkSize = Checksum::fromByte(dialog.character());
}

void LinkCommands::editAckChar()
{
    setAck dialog(m_window, m_settings.ackChar);
    if (dialog.exec() == QDialog::Rejected)
        return;
    m_settings.ackChar = dialog.character();
}

void LinkCommands::editSeparators()
{
    separators dialog(m_window, m_settings.downloadSeparator, m_settings.uploadSeparator);
    if (dialog.exec() == QDialog::Rejected)
        return;
    m_settings.downloadSeparator = dialog.downloadSeparator();
    m_settings.uploadSeparator = dialog.uploadSeparator();
}

void LinkCommands::editUploadCommand()
{
    setUC dialog(m_window, m_settings.uploadCommand);
    if (dialog.exec() == QDialog::Rejected)
        return;
    m_settings.uploadCommand = dialog.character();
}

void LinkCommands::toggleChecksum()
{
    m_settings.checkValue = m_settings.checkValue == 0 ? 1 : 0;
    m_checksumMenu->setEnabled(m_settings.checkValue != 0);
}
