// The ports command on Windows: COM1 to COM32 as the system names them, each
// with the device the Device Manager lists under that name, and its state. Windows gives and keeps the COM names, so there is nothing to
// map or unmap by hand.
#include "commands.h"
#include "console.h"
#include "exitcodes.h"
#include "portstable.h"

#include "core/serial/portsurvey.h"

namespace cli {

int runPorts(const QStringList &arguments, const Console &io)
{
    const QString sub = arguments.value(0);
    if (sub == u"map" || sub == u"unmap") {
        io.error(QStringLiteral("ports %1: Windows gives the COM names; change one in the Device Manager").arg(sub));
        return ExitUsage;
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists the serial ports COM1 to COM32 that are there, one row each: the device, the\n"
        "adapter as the Device Manager names it (with its USB ids), and its state (free, in use\n"
        "by another program, not a serial port)."));
    const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("The same table as JSON, for scripts."));
    parser.addOption(jsonOption);
    if (const int code = parseArguments(parser, QStringLiteral("ports [--json]"), arguments, 0, io); code >= 0)
        return code;
    const QList<portsurvey::Row> rows = portsurvey::survey();
    if (parser.isSet(jsonOption)) {
        io.out.flush();
        io.out << QString::fromUtf8(portstable::json(rows, QString()));
    } else {
        io.out << portstable::text(rows);
    }
    return ExitOk;
}

} // namespace cli
