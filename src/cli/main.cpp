// rzm417-cli: the configuration tool's commands for scripts and batch work.
#include "application.h"
#include "commands.h"
#include "console.h"
#include "core/appinfo.h"
#include "stdstreams.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdio>
#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

int main(int argc, char *argv[])
{
    cli::useSameBytesEverywhere();
    const auto app = cli::makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rzm417-cli"));
    // The core's developer diagnostics would break the one-line errors; the
    // environment's QT_LOGGING_RULES still turns them back on.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const cli::Console io{out, err, isatty(fileno(stderr)) == 1};
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments == QStringList{QStringLiteral("--version")}) {
        out << "rzm417-cli " << appinfo::version << '\n';
        return 0;
    }
    const int code = cli::runCommand(arguments, io);
    out.flush();
    err.flush();
    return code;
}
