// The read-out and verify commands.
#include "mainwindow.h"

void MainWindow::readup()
{
    // Filled by the read-out from the module.
}

void MainWindow::verify_func()
{
    // Filled by the verify against the module.
}
