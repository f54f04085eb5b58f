#pragma once

#include "core/serial/portsurvey.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The ports table: one row per COM name in use and per serial device seen.
namespace cli::portstable {

// Aligned columns COM, DEVICE, LINK, ADAPTER, STATE, under a header line; a
// row whose state has a fix is followed by a line "fix: ...".
QString text(const QList<portsurvey::Row> &rows);
// The same rows for scripts: {"folder": ..., "ports": [...]}; the folder is null
// where there is none (Windows).
QByteArray json(const QList<portsurvey::Row> &rows, const QString &folder);

} // namespace cli::portstable
