#pragma once

#include <QByteArray>
#include <QString>

// Every file the programs write (configurations, CSVs, traces, records) is written
// whole or not at all: an existing file stays as it was until the new one is
// complete, so a full disk or a failed write never leaves half a file behind.
namespace wholefile {

// Writes `bytes` as the file `path`. On failure returns false and sets `error`
// (if given) to the system's reason.
bool write(const QString &path, const QByteArray &bytes, QString *error);

} // namespace wholefile
