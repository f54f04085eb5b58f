#include "commands.h"

#include "console.h"
#include "exitcodes.h"

namespace cli {
namespace {

const char *const kOverview =
    "Usage: rzm417-cli [--debug] <command> [options] ...\n"
    "\n"
    "Commands:\n"
    "  diff A B                       field-by-field differences of two configuration files\n"
    "  check FILE                     every field the input or download checks refuse\n"
    "  phones export FILE [-o CSV]    the 64 telephone slots and their rights as CSV\n"
    "  phones import FILE CSV [-o OUT]  read them back, refusing the whole CSV on a bad row\n"
    "  download FILE --port P [--port P2 ...]  write the configuration into modules\n"
    "  download TEMPLATE --modules CSV  a batch: one module a row, the row's fields over TEMPLATE\n"
    "  readout --port P -o FILE       read a module's configuration into a file\n"
    "  verify FILE --port P           compare a module with a configuration file\n"
    "  ports [--json]                 the COM names in use and the serial devices seen, with their state\n"
    "  ports map COMn DEVICE | unmap COMn  change the COM links by hand\n"
    "  restore BACKUP --port P        write a backup back into a module, then verify it\n"
    "  sheet FILE -o OUT.pdf          the handover sheet as a PDF (PIN masked; --show-pin)\n"
    "\n"
    "Option of every command:\n"
    "  --debug                        the developer's diagnostics on standard error\n"
    "\n"
    "'rzm417-cli <command> --help' describes a command.\n"
    "Exit codes: 0 ok, 1 difference, mismatch or refused, 2 usage, 3 port, 4 no or bad answer,\n"
    "5 file not readable or writable.\n";

} // namespace

int parseArguments(QCommandLineParser &parser, const QString &usage, const QStringList &arguments,
                   int positionals, const Console &io)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    parser.addOption(help);
    if (!parser.parse(QStringList{QStringLiteral("rzm417-cli")} + arguments)) {
        io.error(parser.errorText());
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        text = text.mid(text.indexOf(QLatin1Char('\n')) + 1);
        io.out << "Usage: rzm417-cli " << usage << '\n' << text;
        io.out.flush();
        return ExitOk;
    }
    if (parser.positionalArguments().size() != positionals) {
        io.error(QStringLiteral("usage: rzm417-cli %1 (see --help)").arg(usage));
        return ExitUsage;
    }
    return -1;
}

int runCommand(const QStringList &arguments, const Console &io)
{
    if (arguments.isEmpty() || arguments.first() == u"--help" || arguments.first() == u"-h") {
        (arguments.isEmpty() ? io.err : io.out) << kOverview;
        return arguments.isEmpty() ? ExitUsage : ExitOk;
    }
    const QString name = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (name == u"diff")
        return runDiff(rest, io);
    if (name == u"check")
        return runCheck(rest, io);
    if (name == u"phones")
        return runPhones(rest, io);
    if (name == u"download")
        return runDownload(rest, io);
    if (name == u"readout")
        return runReadout(rest, io);
    if (name == u"verify")
        return runVerify(rest, io);
    if (name == u"ports")
        return runPorts(rest, io);
    if (name == u"restore")
        return runRestore(rest, io);
    if (name == u"sheet")
        return runSheet(rest, io);
    io.error(QStringLiteral("unknown command \"%1\" (see --help)").arg(name));
    return ExitUsage;
}

} // namespace cli
