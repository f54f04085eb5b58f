// The commands that work on files only: diff, check, phones.
#include "commands.h"
#include "configdiff.h"
#include "console.h"
#include "core/files/configfile.h"
#include "core/files/phonecsv.h"
#include "core/files/wholefile.h"
#include "exitcodes.h"
#include "fieldcheck.h"
#include "linkoptions.h"

#include <QFile>
#include <QFileInfo>

namespace cli {
namespace {

bool writeFile(const QString &path, const QByteArray &bytes, const Console &io)
{
    QString reason;
    if (!wholefile::write(path, bytes, &reason)) {
        io.error(QStringLiteral("%1: not written: %2").arg(shownPath(path), reason));
        return false;
    }
    return true;
}

int phonesExport(const QStringList &arguments, const Console &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes the 64 telephone slots with their four rights as CSV."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Configuration file."));
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                      QStringLiteral("Write the CSV to this file instead of standard output."), QStringLiteral("csv")});
    if (const int code = parseArguments(parser, QStringLiteral("phones export FILE [-o CSV]"), arguments, 1, io); code >= 0)
        return code;
    FormContent form;
    if (!loadConfig(parser.positionalArguments().at(0), &form, io))
        return ExitFile;
    const QByteArray csv = phonecsv::exportCsv(form);
    if (parser.isSet(QStringLiteral("output")))
        return writeFile(parser.value(QStringLiteral("output")), csv, io) ? ExitOk : ExitFile;
    // Through the command's stream, so that a Windows console shows the names as
    // characters; anywhere else the same UTF-8 bytes.
    io.out << QString::fromUtf8(csv);
    return ExitOk;
}

int phonesImport(const QStringList &arguments, const Console &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads telephone slots and rights from CSV into a configuration. Every row gets a verdict;\n"
        "if any row is wrong nothing is written. Slots without a row keep their values."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Configuration file to start from."));
    parser.addPositionalArgument(QStringLiteral("CSV"), QStringLiteral("CSV as 'phones export' writes it."));
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                      QStringLiteral("Write the result here instead of over FILE."), QStringLiteral("out")});
    if (const int code = parseArguments(parser, QStringLiteral("phones import FILE CSV [-o OUT]"), arguments, 2, io); code >= 0)
        return code;
    const QString path = parser.positionalArguments().at(0);
    const QString csvPath = parser.positionalArguments().at(1);
    FormContent form;
    QByteArray csv;
    if (!loadConfig(path, &form, io) || !readFile(csvPath, &csv, io))
        return ExitFile;
    const auto result = phonecsv::importCsv(QString::fromUtf8(csv), form);
    if (!result.error.isEmpty()) {
        io.error(QStringLiteral("%1: %2; nothing written").arg(shownPath(csvPath), result.error));
        return ExitRefused;
    }
    int refused = 0;
    for (const auto &row : result.rows) {
        io.out << phonecsv::formatVerdict(row) << '\n';
        refused += row.ok() ? 0 : 1;
    }
    io.out.flush();
    if (refused > 0) {
        io.error(QStringLiteral("%1: %2 of %3 rows refused; nothing written").arg(shownPath(csvPath)).arg(refused).arg(result.rows.size()));
        return ExitRefused;
    }
    const QString target = parser.isSet(QStringLiteral("output")) ? parser.value(QStringLiteral("output")) : path;
    return saveConfig(target, result.form, io) ? ExitOk : ExitFile;
}

} // namespace

int runDiff(const QStringList &arguments, const Console &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists every field in which two configuration files differ: object name, value in A,\n"
        "value in B; for telephone slots each right by name. Exit 0: same, 1: different."));
    parser.addPositionalArgument(QStringLiteral("A"), QStringLiteral("First configuration file."));
    parser.addPositionalArgument(QStringLiteral("B"), QStringLiteral("Second configuration file."));
    if (const int code = parseArguments(parser, QStringLiteral("diff A B"), arguments, 2, io); code >= 0)
        return code;
    FormContent a;
    FormContent b;
    if (!loadConfig(parser.positionalArguments().at(0), &a, io) || !loadConfig(parser.positionalArguments().at(1), &b, io))
        return ExitFile;
    const auto differences = compare(a, b);
    io.lines(formatDifferences(differences, QStringLiteral("A"), QStringLiteral("B")));
    return differences.isEmpty() ? ExitOk : ExitRefused;
}

int runCheck(const QStringList &arguments, const Console &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists every field that the window's input checks or download checks would refuse, and\n"
        "texts that loading would cut. Exit 0: nothing refused, 1: something refused."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Configuration file."));
    addFramingOptions(parser);
    if (const int code = parseArguments(parser, QStringLiteral("check [options] FILE"), arguments, 1, io); code >= 0)
        return code;
    LinkSettings settings;
    QString error;
    if (!readLinkOptions(parser, &settings, &error)) {
        io.error(error);
        return ExitUsage;
    }
    const QString path = parser.positionalArguments().at(0);
    FormContent form;
    if (!loadConfig(path, &form, io))
        return ExitFile;
    // The raw texts, for what loading cuts; loadConfig has already cut them.
    FormContent raw;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        configfile::decode(configfile::readLines(file), raw);
    const QList<Finding> findings = cutFindings(raw) + inputFindings(form) + downloadFindings(form, settings);
    int refused = 0;
    for (const auto &f : findings) {
        io.out << formatFinding(f) << '\n';
        refused += f.refuses() ? 1 : 0;
    }
    io.out << shownPath(path) << ": " << (refused == 0 ? QStringLiteral("nothing refused") : QStringLiteral("%1 refused").arg(refused)) << '\n';
    io.out.flush();
    return refused == 0 ? ExitOk : ExitRefused;
}

int runPhones(const QStringList &arguments, const Console &io)
{
    const QString sub = arguments.value(0);
    if (sub == u"export")
        return phonesExport(arguments.mid(1), io);
    if (sub == u"import")
        return phonesImport(arguments.mid(1), io);
    if (sub == u"--help" || sub == u"-h") {
        io.out << "Usage: rzm417-cli phones export FILE [-o CSV]\n"
                  "       rzm417-cli phones import FILE CSV [-o OUT]\n"
                  "CSV columns: " "slot,field,number,input1_alarm,input2_alarm,output1_control,output2_control\n";
        return ExitOk;
    }
    io.error(QStringLiteral("usage: rzm417-cli phones export|import ... (see phones --help)"));
    return ExitUsage;
}

} // namespace cli
