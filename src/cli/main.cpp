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
    QStringList arguments = QCoreApplication::arguments().mid(1);
    // The developer's diagnostics ("unable to open comport") would break the one-line
    // errors: they stay off unless --debug asks for them. QT_LOGGING_RULES in the
    // environment still decides over both.
    const bool debug = arguments.removeAll(QString::fromLatin1(cli::DebugOption)) > 0;
    QLoggingCategory::setFilterRules(debug ? QStringLiteral("default.debug=true") : QStringLiteral("default.debug=false"));
    const auto outDevice = cli::openStdStream(stdout);
    const auto errDevice = cli::openStdStream(stderr);
    QTextStream out(outDevice.get());
    QTextStream err(errDevice.get());
    const cli::Console io{out, err, isatty(fileno(stderr)) == 1};
    if (arguments == QStringList{QStringLiteral("--version")}) {
        out << "rzm417-cli " << appinfo::version << '\n';
        return 0;
    }
    const int code = cli::runCommand(arguments, io);
    out.flush();
    err.flush();
    return code;
}
