#include "mainwindow.h"

#include "core/appinfo.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

const char *const kUsage =
    "Usage: rzm417 [FILE] [--help | --version]\n"
    "\n"
    "The RZM-417 configuration tool: fill in a module's whole configuration in one\n"
    "form, check it, save it as a .k83 file and load it back, download it into the\n"
    "module over a serial port, read the module back and verify it, and print its\n"
    "handover sheet.\n"
    "\n"
    "  FILE           a configuration file (.k83) to open at start, as File -\n"
    "                 Megnyitás opens it: with the same messages and refusals\n"
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

// The file to open at start, from what is left once Qt has taken its own options
// (a desktop passes the double-clicked file as the one argument). An empty text
// when none is given; false, with the reason, for an unknown option or a second file.
bool startFile(const QStringList &arguments, QString *file, QString *error)
{
    bool optionsEnd = false;
    QStringList files;
    for (const QString &argument : arguments.mid(1)) {
        if (!optionsEnd && argument == u"--")
            optionsEnd = true;
        else if (!optionsEnd && argument.startsWith(u'-') && argument.size() > 1)
            *error = QStringLiteral("unknown option %1").arg(argument);
        else
            files << argument;
    }
    if (files.size() > 1)
        *error = QStringLiteral("one FILE at most, not %1").arg(files.size());
    if (!error->isEmpty())
        return false;
    if (!files.isEmpty())
        *file = QFileInfo(files.first()).absoluteFilePath();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const int code = answerWithoutWindow(argc, argv); code >= 0)
        return code;
    // Nothing is installed application-wide: no translator, style, codec, or
    // organisation and application name. So the buttons Qt names itself keep their
    // English names ("Cancel", "Close") on every desktop, as the dialogs expect.
    QApplication app(argc, argv);
    QString file;
    QString error;
    if (!startFile(QApplication::arguments(), &file, &error)) {
        std::fprintf(stderr, "rzm417: %s\nTry 'rzm417 --help'.\n", qPrintable(error));
        return 2;
    }
    MainWindow window;
    window.show();
    // Loaded once the event loop runs, so its message box stands over the shown window.
    if (!file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file] { window.openGivenFile(file); });
    return app.exec();
}
