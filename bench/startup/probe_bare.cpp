// The yardsticks: an empty QMainWindow of the same fixed size, so that the probes paint
// and flush the same number of pixels; built a second time with BARE_WITH_TEXT, where
// the window shows one line of text and so pays for starting the font system too.
#include "firstframe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setObjectName("bareWindow");
    window.setFixedSize(1010, 690);
#ifdef BARE_WITH_TEXT
    auto *text = new QLabel(QStringLiteral("Telefonszám"), &window);
    text->setObjectName("text");
    window.setCentralWidget(text);
#endif
    return runToFirstFrame(window);
}
