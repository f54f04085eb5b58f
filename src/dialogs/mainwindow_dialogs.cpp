// Help menu slots: a new modeless window at every call, so several may be open.
#include "mainwindow.h"

#include "about.h"
#include "help.h"

void MainWindow::nevjegy()
{
    auto *dialog = new about(this);
    // Closed windows go away instead of piling up as hidden children.
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void MainWindow::contents()
{
    auto *dialog = new help(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}
