// The handover sheet as a PDF, drawn by the same renderer as the window's.
#include "commands.h"
#include "console.h"
#include "core/files/configfile.h"
#include "exitcodes.h"
#include "sheet/handoversheet.h"

namespace cli {

int runSheet(const QStringList &arguments, const Console &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the handover sheet of a configuration file as an A4 PDF: the module's fields,\n"
        "the eight message texts and the telephone slots in use with their rights, under the\n"
        "form's own labels. The PIN is printed as **** unless --show-pin is given."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Configuration file."));
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("PDF file to write."), QStringLiteral("pdf")});
    parser.addOption({QStringLiteral("show-pin"), QStringLiteral("Print the module's PIN instead of ****.")});
    if (const int code = parseArguments(parser, QStringLiteral("sheet FILE -o OUT.pdf [--show-pin]"), arguments, 1, io); code >= 0)
        return code;
    const QString output = parser.value(QStringLiteral("output"));
    if (output.isEmpty()) {
        io.error(QStringLiteral("-o OUT.pdf is required"));
        return ExitUsage;
    }
    const QString path = parser.positionalArguments().at(0);
    sheet::SheetInput input;
    if (!loadConfig(path, &input.form, io))
        return ExitFile;
    input.fileName = configfile::displayName(path);
    input.date = QDate::currentDate();
    input.showPin = parser.isSet(QStringLiteral("show-pin"));
    QString error;
    int pages = 0;
    if (!sheet::writePdf(output, input, &error, &pages)) {
        io.error(QStringLiteral("%1: not written: %2").arg(shownPath(output), error));
        return ExitFile;
    }
    io.out << shownPath(output) << ": " << pages << (pages == 1 ? " page" : " pages") << '\n';
    return ExitOk;
}

} // namespace cli
