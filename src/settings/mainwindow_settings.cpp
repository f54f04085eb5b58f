// Link-settings slots: the checksum switches here, the dialogs beside them.
#include "mainwindow.h"
#include "mainwindowui.h"

#include "chardialogs.h"
#include "separators.h"
#include "setcom.h"

#include <QLabel>
#include <QMenu>

// Each dialog lives only for its slot: it is built anew at every opening, so a
// port list or a field never shows an earlier state.
void MainWindow::show_port()
{
    setcom dialog(m_settings.port, m_settings.baudRate, this);
    if (dialog.exec() == QDialog::Rejected)
        return;
    m_settings.port = dialog.port();
    m_settings.baudRate = dialog.baudRate();
    m_portLabel->setText(portLabelText(QStringLiteral("%1 Baud: %2")));
}

void MainWindow::setFixChar()
{
    setFix dialog(this);
    if (dialog.exec() == QDialog::Rejected)
        return;
    // An empty field stores 0, which reads as the 8-bit sum.
    m_settings.checkSize = dialog.character();
}

void MainWindow::setAckChar()
{
    setAck dialog(this, m_settings.ackChar);
    if (dialog.exec() == QDialog::Rejected)
        return;
    m_settings.ackChar = dialog.character();
}

void MainWindow::setSeparators()
{
    separators dialog(this, m_settings.downloadSeparator, m_settings.uploadSeparator);
    if (dialog.exec() == QDialog::Rejected)
        return;
    m_settings.downloadSeparator = dialog.downloadSeparator();
    m_settings.uploadSeparator = dialog.uploadSeparator();
}

void MainWindow::setUploadCommand()
{
    setUC dialog(this, m_settings.uploadCommand);
    if (dialog.exec() == QDialog::Rejected)
        return;
    m_settings.uploadCommand = dialog.character();
}

void MainWindow::setCheck()
{
    if (m_settings.checkValue == 0) {
        m_settings.checkValue = 1;
        ui->menuCHKS->setEnabled(true);
    } else {
        m_settings.checkValue = 0;
        ui->menuCHKS->setEnabled(false);
    }
}

void MainWindow::setChks8()
{
    m_settings.checkSize = 0;
}

void MainWindow::setChks16()
{
    m_settings.checkSize = 1;
}

void MainWindow::setChks24()
{
    m_settings.checkSize = 2;
}

void MainWindow::setChks32()
{
    m_settings.checkSize = 3;
}
