#pragma once

#include "modulesimulator.h"

#include <QString>
#include <optional>

class QCoreApplication;

// What the rzm417-sim command was asked to do.
struct SimOptions
{
    int com = 0; // 0: no port-folder link
    QString storePath;
    bool paced = true;
    bool quiet = false;
    SimBehaviour behaviour;
};

// Parses the command line; on --help or an error prints and returns nothing
// (exitCode tells which).
std::optional<SimOptions> parseSimOptions(const QCoreApplication &app, int *exitCode);

// The stored configuration file: one field a line, Latin-1.
QStringList loadStore(const QString &path);
bool saveStore(const QString &path, const QStringList &fields);
