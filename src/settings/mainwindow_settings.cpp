// Link-settings slots: the checksum switches here, the dialogs beside them.
#include "mainwindow.h"
#include "mainwindowui.h"

#include <QMenu>

void MainWindow::show_port()
{
    // Filled by the settings dialogs (port and bit rate).
}

void MainWindow::setFixChar()
{
    // Filled by the settings dialogs (fixed check character).
}

void MainWindow::setAckChar()
{
    // Filled by the settings dialogs (acknowledge character).
}

void MainWindow::setSeparators()
{
    // Filled by the settings dialogs (separators).
}

void MainWindow::setUploadCommand()
{
    // Filled by the settings dialogs (upload command).
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
