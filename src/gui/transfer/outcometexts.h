#pragma once

#include "core/transfer/downloadexchange.h"
#include "core/transfer/transfertext.h"
#include "core/transfer/verifyanswer.h"

#include <QString>

// The line that a transfer's outcome adds under the system's own text, to say why
// it failed: what holds the port, that the module did not answer, which fields the
// module holds otherwise. In the window's language and context (WindowTexts), but
// for a port's state, which the core says in one set of words for every front end.
namespace outcometexts {

// Why `port` could not be opened, in the words the port dialog and the command
// line use for its state (portstate::openFailure): "COM3 (ttyUSB0) cannot be
// opened: in use by minicom (PID 812)."; or that no port is chosen.
QString portFailure(const QString &port);
// The line vanished during the exchange (a pulled adapter, a closed pty).
QString lineLost();
// The download's reason; empty where the dialog shows none (success, a stop).
QString downloadFailure(transfer::DownloadOutcome outcome, const QString &port);
// The verify's reason for a mismatch; the differing fields named by the form's labels.
QString verifyFailure(const transfer::VerifyJudgement &judgement);
// Every differing field of a verify, for the details of its box: a heading
// "Részletek: 3 eltérő mező (az űrlap és a modul értéke)", then a line a field,
// `Modul neve: űrlap "Kapu", modul "Garázs"`, a right as "be" or "ki", the PIN
// masked as the handover sheet prints it. Empty when no field value differs.
QString verifyDetails(const transfer::VerifyJudgement &judgement);
// A field as the form shows it (formtexts::fieldLabel): "Modul neve",
// "Telefonszám (2. blokk, 1. sor)", "Bemenet riasztás 1 (2. blokk, 1. sor)",
// "r16 (rejtett mező)".
QString fieldName(const configdiff::Difference &difference);
// Why a form cannot travel: the system's text for the failure, and for an empty
// field the line that names it.
QString textFailure(const transfer::TextResult &result, quint8 separator);
// The line after "Az összes mező kitöltése kötelező.": the first empty field's label.
QString emptyField(const QString &name);

} // namespace outcometexts
