#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace cli {

struct Console;

// Runs one sub-command; `arguments` are everything after the program name.
// Returns the exit code (exitcodes.h).
int runCommand(const QStringList &arguments, const Console &io);

// The sub-commands, each given the arguments after its own name.
int runDiff(const QStringList &arguments, const Console &io);
int runCheck(const QStringList &arguments, const Console &io);
int runPhones(const QStringList &arguments, const Console &io);
int runDownload(const QStringList &arguments, const Console &io);
int runReadout(const QStringList &arguments, const Console &io);
int runVerify(const QStringList &arguments, const Console &io);
int runPorts(const QStringList &arguments, const Console &io);
int runRestore(const QStringList &arguments, const Console &io);
int runSheet(const QStringList &arguments, const Console &io);

// Parses a sub-command's arguments with --help. Returns -1 to go on, else the
// exit code: 0 after the help text, 2 after a usage error (one line on err).
int parseArguments(QCommandLineParser &parser, const QString &usage, const QStringList &arguments,
                   int positionals, const Console &io);

} // namespace cli
