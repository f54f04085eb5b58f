// The download command.
#include "mainwindow.h"

void MainWindow::download()
{
    // Filled by the download into the module.
}
