#pragma once

#include <QString>
#include <QStringList>

// The files the program ships beside itself: the help text and the default
// configuration.
namespace datafiles {

// The path to read a shipped file from. The working directory comes first, as it
// always has, and there the bare name is returned; then each of the folders in
// turn, where the first copy found is returned as an absolute path. With no copy
// anywhere the bare name comes back, so the caller reports the file missing as
// before.
QString locate(const QString &name, const QStringList &folders);

// locate() over the folder that holds the program, then the installed data folder.
QString locate(const QString &name);

} // namespace datafiles
