#pragma once

#include "core/configdiff.h"

#include <QList>
#include <QString>
#include <QStringList>

// The command-line tool's listing of the core's field-by-field comparison.
namespace cli {

using configdiff::compare;
using configdiff::Difference;
using configdiff::quoted;

// One line per difference: `m_nev: A "Kapu", B "Gate"`,
// `t5 (slot 5) input 1 alarm: A on, B off`.
QString formatDifference(const Difference &d, const QString &labelA, const QString &labelB);
QStringList formatDifferences(const QList<Difference> &list, const QString &labelA, const QString &labelB);

} // namespace cli
