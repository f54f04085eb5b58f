#include "simoptions.h"

#include "core/serial/portnames.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace {

using Fault = SimBehaviour::Fault;

const struct { const char *name; Fault fault; const char *help; } kFaults[] = {
    {"silence", Fault::Silence, "answer nothing at all"},
    {"no-r", Fault::NoReady, "download: never answer \"R\""},
    {"no-second", Fault::NoSecondByte, "download: send \"R\" and nothing after it"},
    {"preamble", Fault::Preamble, "read-out: a text before the two carriage returns"},
    {"pad255", Fault::Pad255, "read-out: pad fields with bytes 255"},
    {"gap", Fault::LongGap, "read-out: pause (--gap ms, default 1600) in the middle"},
    {"garbage", Fault::Garbage, "answer every request with noise"},
    {"hangup", Fault::HangUp, "close the line after --hangup-after bytes (default 100)"},
    {"too-few", Fault::FieldTooFew, "read-out: one field too few"},
    {"too-many", Fault::FieldTooMany, "read-out: one field too many"},
    {"flood", Fault::Flood, "read-out: 20000 bytes of lines"},
};

QString defaultStorePath()
{
    return QDir(portnames::portFolder()).absoluteFilePath(QStringLiteral("../simulated-module.txt"));
}

void fail(const QString &text)
{
    std::fprintf(stderr, "rzm417-sim: %s\n", qPrintable(text));
}

// The command's options, with the faults it knows in the help of --fault.
void addOptions(QCommandLineParser &parser)
{
    QString faultHelp = QStringLiteral("Misbehave on purpose. One of:");
    for (const auto &f : kFaults)
        faultHelp += QStringLiteral("\n  %1: %2").arg(QLatin1String(f.name), QLatin1String(f.help));

    parser.setApplicationDescription(QStringLiteral(
        "Stands in for an RZM-417 module on a pseudo-terminal: it answers the program's\n"
        "download, read-out and verify the way the module does, and keeps what was\n"
        "downloaded in a file, so it can be read out again later."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("com"), QStringLiteral("Register as port COM<n> in %1.").arg(portnames::portFolder()),
         QStringLiteral("n")},
        {QStringLiteral("store"), QStringLiteral("The stored configuration file (default %1).").arg(defaultStorePath()),
         QStringLiteral("file")},
        {QStringLiteral("unpaced"), QStringLiteral("Send and take bytes at once instead of at 1200 baud.")},
        {QStringLiteral("quiet"), QStringLiteral("Print no trace.")},
        {QStringLiteral("fault"), faultHelp, QStringLiteral("name")},
        {QStringLiteral("ack"), QStringLiteral("The bytes that acknowledge a download (default OK; may be empty)."),
         QStringLiteral("bytes")},
        {QStringLiteral("second-byte"), QStringLiteral("The byte sent after \"R\" (default D)."), QStringLiteral("c")},
        {QStringLiteral("upload-command"), QStringLiteral("The read-out request character (default {)."),
         QStringLiteral("c")},
        {QStringLiteral("gap"), QStringLiteral("Length of the pause of --fault gap, in ms."), QStringLiteral("ms")},
        {QStringLiteral("hangup-after"), QStringLiteral("Bytes of an exchange before --fault hangup."),
         QStringLiteral("n")},
    });
}

// The misbehaviour and the exchange's bytes; false after a message on a bad value.
bool readBehaviour(const QCommandLineParser &parser, SimBehaviour *behaviour)
{
    if (parser.isSet(QStringLiteral("fault"))) {
        const QString name = parser.value(QStringLiteral("fault"));
        const auto it = std::find_if(std::begin(kFaults), std::end(kFaults),
                                     [&](const auto &f) { return name == QLatin1String(f.name); });
        if (it == std::end(kFaults)) {
            fail(QStringLiteral("unknown fault \"%1\" (see --help)").arg(name));
            return false;
        }
        behaviour->fault = it->fault;
    }
    if (parser.isSet(QStringLiteral("ack")))
        behaviour->acknowledge = parser.value(QStringLiteral("ack")).toLatin1();
    const auto character = [&](const char *name, quint8 *target) {
        const QByteArray value = parser.value(QLatin1String(name)).toLatin1();
        if (value.size() != 1) {
            fail(QStringLiteral("--%1 wants one character").arg(QLatin1String(name)));
            return false;
        }
        *target = quint8(value[0]);
        return true;
    };
    if (parser.isSet(QStringLiteral("second-byte")) && !character("second-byte", &behaviour->secondByte))
        return false;
    if (parser.isSet(QStringLiteral("upload-command"))
        && !character("upload-command", &behaviour->uploadCommand))
        return false;
    const auto number = [&](const char *name, int *target) {
        bool ok = false;
        const int value = parser.value(QLatin1String(name)).toInt(&ok);
        if (!ok || value < 0) {
            fail(QStringLiteral("--%1 wants a number").arg(QLatin1String(name)));
            return false;
        }
        *target = value;
        return true;
    };
    if (parser.isSet(QStringLiteral("gap")) && !number("gap", &behaviour->gapMs))
        return false;
    if (parser.isSet(QStringLiteral("hangup-after")) && !number("hangup-after", &behaviour->hangUpAfter))
        return false;
    return true;
}

} // namespace

std::optional<SimOptions> parseSimOptions(const QCoreApplication &app, int *exitCode)
{
    QCommandLineParser parser;
    addOptions(parser);
    parser.process(app); // --help and --version exit here

    SimOptions options;
    *exitCode = 2;
    if (parser.isSet(QStringLiteral("com"))) {
        bool ok = false;
        options.com = parser.value(QStringLiteral("com")).toInt(&ok);
        if (!ok || options.com < 1) {
            fail(QStringLiteral("--com wants a port number of 1 or more"));
            return std::nullopt;
        }
    }
    options.storePath = parser.isSet(QStringLiteral("store")) ? parser.value(QStringLiteral("store")) : defaultStorePath();
    options.paced = !parser.isSet(QStringLiteral("unpaced"));
    options.quiet = parser.isSet(QStringLiteral("quiet"));
    if (!readBehaviour(parser, &options.behaviour))
        return std::nullopt;
    *exitCode = 0;
    return options;
}

QStringList loadStore(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList fields;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        fields.append(QString::fromLatin1(line));
    }
    return fields.size() == ModuleSimulator::FieldCount ? fields : QStringList();
}

bool saveStore(const QString &path, const QStringList &fields)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString &f : fields)
        file.write(f.toLatin1() + '\n');
    return file.commit();
}
