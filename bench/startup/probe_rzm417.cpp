// Starts exactly as rzm417 does, up to its first painted frame.
#include "firstframe.h"
#include "gui/app/mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MainWindow window;
    return runToFirstFrame(window);
}
