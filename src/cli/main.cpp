// rzm417-cli: the configuration tool's commands for scripts and batch work.
#include "commands.h"
#include "console.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rzm417-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const cli::Console io{out, err, isatty(fileno(stderr)) == 1};
    const int code = cli::runCommand(app.arguments().mid(1), io);
    out.flush();
    err.flush();
    return code;
}
