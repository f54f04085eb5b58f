// File commands: New, Open, Save and the shared load routine.
#include "mainwindow.h"

void MainWindow::newfile()
{
    // Filled by the configuration-file commands.
}

void MainWindow::openfile()
{
    // Filled by the configuration-file commands.
}

void MainWindow::save()
{
    // Filled by the configuration-file commands.
}

void MainWindow::saveas()
{
    // Save As is not offered: the action stays hidden and this slot does nothing.
}

void MainWindow::load()
{
    // Filled by the configuration-file commands.
}
