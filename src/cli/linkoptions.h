#pragma once

#include "core/linksettings.h"

#include <QString>

class QCommandLineParser;

// The link and framing settings the window's settings menu changes, as options,
// so a script sends what the window sends with the same settings.
namespace cli {

// A character setting: one Latin-1 character as it is ("O", "|"), or its code
// in decimal or hexadecimal ("13", "0x0d"). False when it is neither.
bool readCharacter(const QString &value, quint8 *byte);

void addFramingOptions(QCommandLineParser &parser); // --separator, --checksum, --check-char
void addReadOptions(QCommandLineParser &parser);    // --upload-command
void addDownloadOptions(QCommandLineParser &parser); // --ack

// Reads whichever of the options above the parser knows into `settings`;
// on a bad value sets `error` to a one-line text and returns false.
bool readLinkOptions(const QCommandLineParser &parser, LinkSettings *settings, QString *error);

} // namespace cli
