// The yardstick: an empty QMainWindow of the same fixed size, so that both probes
// paint and flush the same number of pixels.
#include "firstframe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setObjectName("bareWindow");
    window.setFixedSize(1010, 690);
    return runToFirstFrame(window);
}
