// The ports command: the COM names in use and the serial devices seen, each
// with its state; map and unmap change the links by hand.
#include "commands.h"
#include "console.h"
#include "exitcodes.h"
#include "portstable.h"

#include "core/serial/portnames.h"
#include "core/serial/portscan.h"
#include "core/serial/portsurvey.h"

#include <QDir>
#include <QFileInfo>

namespace cli {
namespace {

// "COM3" → 3; a one-line usage error otherwise.
int comArgument(const QString &name, const Console &io)
{
    const int number = portnames::comNumber(name);
    if (number == 0)
        io.error(QStringLiteral("\"%1\" is not a COM name (COM1, COM2, ...)").arg(name));
    return number;
}

// "ttyUSB0" names /dev/ttyUSB0, as QSerialPort reads a bare name; other
// relative paths are taken from here.
QString deviceArgument(const QString &device)
{
    if (!device.contains(QLatin1Char('/')))
        return QStringLiteral("/dev/") + device;
    return QFileInfo(device).absoluteFilePath();
}

int portsMap(const QStringList &arguments, const Console &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Links COMn to DEVICE by hand, replacing the link COMn had. A name the program gave the\n"
        "same device goes, so the device has one COM name. Links made by hand are never changed\n"
        "by the program."));
    parser.addPositionalArgument(QStringLiteral("COMn"), QStringLiteral("The COM name, COM1 to COM32."));
    parser.addPositionalArgument(QStringLiteral("DEVICE"),
                                 QStringLiteral("The device: /dev/serial/by-id/..., /dev/ttyUSB0, or ttyUSB0."));
    if (const int code = parseArguments(parser, QStringLiteral("ports map COMn DEVICE"), arguments, 2, io); code >= 0)
        return code;
    const int number = comArgument(parser.positionalArguments().at(0), io);
    if (number == 0)
        return ExitUsage;
    const QString device = deviceArgument(parser.positionalArguments().at(1));
    QList<int> dropped;
    QString error;
    if (!portscan::mapByHand(portscan::Environment(), number, device, &dropped, &error)) {
        io.error(error);
        return ExitFile;
    }
    for (int n : dropped)
        io.out << QStringLiteral("%1 removed: it named the same device\n").arg(portnames::comName(n));
    io.out << QStringLiteral("%1 -> %2 (by hand): %3\n")
                  .arg(portnames::comName(number), device, portstate::describeWithFix(portstate::examine(device)));
    return ExitOk;
}

int portsUnmap(const QStringList &arguments, const Console &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Removes the link COMn, whoever made it. An adapter that is plugged in and has no other\n"
        "COM name gets the lowest free number again the next time the ports are looked at."));
    parser.addPositionalArgument(QStringLiteral("COMn"), QStringLiteral("The COM name."));
    if (const int code = parseArguments(parser, QStringLiteral("ports unmap COMn"), arguments, 1, io); code >= 0)
        return code;
    const int number = comArgument(parser.positionalArguments().at(0), io);
    if (number == 0)
        return ExitUsage;
    const QFileInfo link(portnames::linkPath(number));
    const QString was = link.symLinkTarget();
    QString error;
    if (!portscan::unmap(portscan::Environment(), number, &error)) {
        io.error(error);
        return link.exists() || link.isSymLink() ? ExitFile : ExitRefused;
    }
    io.out << QStringLiteral("%1 unmapped (was %2)\n").arg(portnames::comName(number), was);
    return ExitOk;
}

int portsList(const QStringList &arguments, const Console &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists the COM names in use and the serial devices seen, one row each: the device, who\n"
        "made the link, the adapter, and its state (free, in use by which process, no permission\n"
        "and the fix, missing, not a serial port). A serial adapter without a COM name gets the\n"
        "lowest free one first, as the window does.\n"
        "\n"
        "  rzm417-cli ports map COMn DEVICE    link COMn to DEVICE by hand\n"
        "  rzm417-cli ports unmap COMn         remove the link COMn"));
    const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("The same table as JSON, for scripts."));
    parser.addOption(jsonOption);
    if (const int code = parseArguments(parser, QStringLiteral("ports [--json] | map COMn DEVICE | unmap COMn"),
                                        arguments, 0, io);
        code >= 0)
        return code;
    const portscan::Environment env;
    const portscan::Outcome outcome = portscan::assignNumbers(env);
    const QList<portsurvey::Row> rows = portsurvey::survey(env);
    if (parser.isSet(jsonOption)) {
        io.out.flush();
        io.out << QString::fromUtf8(portstable::json(rows, QDir::cleanPath(env.linkFolder())));
    } else {
        io.out << portstable::text(rows);
        io.out << QStringLiteral("links in %1\n").arg(QDir::cleanPath(env.linkFolder()));
    }
    for (const auto &adapter : outcome.unnamed)
        io.error(QStringLiteral("%1 has no COM name: COM1 to COM32 are all taken").arg(adapter.device));
    if (!outcome.error.isEmpty()) {
        io.error(QStringLiteral("a COM name was not given: %1").arg(outcome.error));
        return ExitFile;
    }
    return ExitOk;
}

} // namespace

int runPorts(const QStringList &arguments, const Console &io)
{
    const QString sub = arguments.value(0);
    if (sub == u"map")
        return portsMap(arguments.mid(1), io);
    if (sub == u"unmap")
        return portsUnmap(arguments.mid(1), io);
    return portsList(arguments, io);
}

} // namespace cli
