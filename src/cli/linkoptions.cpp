#include "linkoptions.h"

#include <QCommandLineParser>

namespace cli {

bool readCharacter(const QString &value, quint8 *byte)
{
    if (value.size() == 1 && value[0].unicode() <= 0xFF) {
        *byte = quint8(value[0].unicode());
        return true;
    }
    bool ok = false;
    const uint code = value.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? value.mid(2).toUInt(&ok, 16)
                                                                                 : value.toUInt(&ok, 10);
    if (!ok || code > 255)
        return false;
    *byte = quint8(code);
    return true;
}

void addFramingOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("separator"),
                      QStringLiteral("Download separator character (default |)."), QStringLiteral("char")});
    parser.addOption({QStringLiteral("checksum"),
                      QStringLiteral("Checksum behind the last field: off, 8, 16, 24 or 32 (default off)."),
                      QStringLiteral("kind")});
    parser.addOption({QStringLiteral("check-char"),
                      QStringLiteral("A fixed check character behind the last field instead of a sum."),
                      QStringLiteral("char")});
}

void addReadOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("upload-command"),
                      QStringLiteral("Character that asks the module for its configuration (default {)."),
                      QStringLiteral("char")});
}

void addDownloadOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("ack"),
                      QStringLiteral("Acknowledge character the module ends a download with (default O)."),
                      QStringLiteral("char")});
}

namespace {

bool readCharOption(const QCommandLineParser &parser, const QString &name, quint8 *target, QString *error)
{
    if (!parser.optionNames().contains(name) || !parser.isSet(name))
        return true;
    const QString value = parser.value(name);
    if (readCharacter(value, target))
        return true;
    *error = QStringLiteral("--%1: \"%2\" is not one character or a code 0..255").arg(name, value);
    return false;
}

} // namespace

bool readLinkOptions(const QCommandLineParser &parser, LinkSettings *settings, QString *error)
{
    if (!readCharOption(parser, QStringLiteral("separator"), &settings->downloadSeparator, error)
        || !readCharOption(parser, QStringLiteral("upload-command"), &settings->uploadCommand, error)
        || !readCharOption(parser, QStringLiteral("ack"), &settings->ackChar, error))
        return false;
    const QString checksum = QStringLiteral("checksum");
    const QString checkChar = QStringLiteral("check-char");
    const bool hasSum = parser.optionNames().contains(checksum) && parser.isSet(checksum);
    const bool hasChar = parser.optionNames().contains(checkChar) && parser.isSet(checkChar);
    if (hasSum && hasChar) {
        *error = QStringLiteral("--checksum and --check-char exclude each other");
        return false;
    }
    if (hasSum) {
        static const QStringList kinds = {QStringLiteral("8"), QStringLiteral("16"), QStringLiteral("24"), QStringLiteral("32")};
        const QString value = parser.value(checksum);
        if (value == u"off") {
            settings->checkValue = false;
        } else if (kinds.contains(value)) {
            settings->checkValue = true;
            settings->checkSize = Checksum::fromByte(quint8(kinds.indexOf(value)));
        } else {
            *error = QStringLiteral("--checksum: \"%1\" is not off, 8, 16, 24 or 32").arg(value);
            return false;
        }
    }
    if (hasChar) {
        quint8 byte = 0;
        if (!readCharacter(parser.value(checkChar), &byte) || byte < 4) {
            *error = QStringLiteral("--check-char: \"%1\" is not one character or a code 4..255").arg(parser.value(checkChar));
            return false;
        }
        settings->checkValue = true;
        settings->checkSize = Checksum::fromByte(byte);
    }
    return true;
}

} // namespace cli
