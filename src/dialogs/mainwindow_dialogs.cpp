// Help menu slots.
#include "mainwindow.h"

void MainWindow::nevjegy()
{
    // Filled by the About dialog.
}

void MainWindow::contents()
{
    // Filled by the help viewer.
}
