#include "mainwindow.h"

#include "appinfo.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

const char *const kUsage =
    "Usage: rzm417 [--help | --version]\n"
    "\n"
    "The RZM-417 configuration tool: fill in a module's whole configuration in one\n"
    "form, check it, save it as a .k83 file and load it back, download it into the\n"
    "module over a serial port, read the module back and verify it.\n"
    "\n"
    "  -h, --help     show this text and end\n"
    "  -v, --version  show the version and end\n"
    "\n"
    "Qt's own options (such as -platform or -style) are taken as well.\n"
    "In the window, Help - Tartalom (F1) shows the help text. rzm417-cli does the\n"
    "same work from a shell; rzm417-sim stands in for a module.\n";

// --help and --version are answered before any window exists, so they work
// without a display. Returns -1 when the window is to start.
int answerWithoutWindow(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::printf("rzm417 %s\n", appinfo::version);
            return 0;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const int code = answerWithoutWindow(argc, argv); code >= 0)
        return code;
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    return app.exec();
}
