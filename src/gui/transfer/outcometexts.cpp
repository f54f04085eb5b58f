#include "outcometexts.h"

#include "core/formschema.h"
#include "core/formtexts.h"
#include "core/latin1.h"
#include "core/phoneslot.h"
#include "core/portview.h"
#include "core/serial/portnames.h"
#include "core/serial/portstate.h"
#include "gui/windowtexts.h"
#include "sheet/sheetcontent.h"

#include <QStringList>

namespace outcometexts {
namespace {

// How many differing fields a verify names at most.
constexpr int kNamedFields = 5;

QString tr(const char *text)
{
    return WindowTexts::tr(text);
}

} // namespace

QString portFailure(const QString &port)
{
    if (port.isEmpty())
        return tr("Nincs kiválasztott port (Beállítások, Port).");
    const portstate::Status status = portstate::examine(portnames::systemLocation(port));
    return portstate::openFailure(portview::nameWithDevice(port), status) + QLatin1Char('.');
}

QString lineLost()
{
    return tr("A kapcsolat megszakadt: a port eltűnt az átvitel közben.");
}

QString downloadFailure(transfer::DownloadOutcome outcome, const QString &port)
{
    using transfer::DownloadOutcome;
    switch (outcome) {
    case DownloadOutcome::PortFailed:
        return portFailure(port);
    case DownloadOutcome::NoReady:
        return tr("A modul nem válaszolt.");
    case DownloadOutcome::NotAcknowledged:
        return tr("A modul nem nyugtázta a beküldött szöveget.");
    case DownloadOutcome::LineLost:
        return lineLost();
    case DownloadOutcome::Acknowledged:
    case DownloadOutcome::Stopped:
        break;
    }
    return QString();
}

QString fieldName(const configdiff::Difference &difference)
{
    if (difference.right >= 0)
        return formtexts::rightLabel(difference.slot, phoneslot::Right(difference.right));
    if (formschema::textFields().at(difference.index).kind == formschema::TextKind::Reserved)
        return tr("%1 (rejtett mező)").arg(formtexts::fieldLabel(difference.index));
    return formtexts::fieldLabel(difference.index);
}

QString verifyFailure(const transfer::VerifyJudgement &judgement)
{
    using Kind = transfer::VerifyJudgement::Kind;
    switch (judgement.kind) {
    case Kind::NoAnswer:
        return tr("A modul nem válaszolt: ellenőrizze a kábelt és a portot.");
    case Kind::Unreadable:
        return tr("A modul válasza nem értelmezhető.");
    case Kind::Match:
    case Kind::Differs:
        break;
    }
    const auto &differences = judgement.differences;
    if (differences.isEmpty())
        return tr("A modul mást tárol, bár a mezők értéke egyezik: az elválasztó vagy egy jogosultság jegye tér el.");
    QStringList names;
    for (int i = 0; i < differences.size() && i < kNamedFields; ++i)
        names << fieldName(differences[i]);
    const QString list = names.join(QStringLiteral(", "));
    if (differences.size() <= kNamedFields)
        return tr("A modul mást tárol. Eltérő mezők: %1.").arg(list);
    return tr("A modul mást tárol. Eltérő mezők: %1 és még %2.").arg(list).arg(differences.size() - kNamedFields);
}

QString verifyDetails(const transfer::VerifyJudgement &judgement)
{
    const auto &differences = judgement.differences;
    if (judgement.kind != transfer::VerifyJudgement::Kind::Differs || differences.isEmpty())
        return QString();
    const int pin = formschema::textIndex(formschema::fieldname::Pin);
    // The values come quoted, or "on"/"off" for a right.
    const auto shown = [pin](const configdiff::Difference &d, const QString &value) {
        if (d.right >= 0)
            return value == u"on" ? tr("be") : tr("ki");
        if (d.index == pin && value != u"\"\"")
            return QStringLiteral("\"%1\"").arg(QLatin1String(sheet::MaskedPin));
        return value;
    };
    QStringList lines{tr("Részletek: %1 eltérő mező (az űrlap és a modul értéke)").arg(differences.size())};
    for (const auto &d : differences)
        lines << tr("%1: űrlap %2, modul %3").arg(fieldName(d), shown(d, d.a), shown(d, d.b));
    return lines.join(QLatin1Char('\n'));
}

QString textFailure(const transfer::TextResult &result, quint8 separator)
{
    using transfer::TextFailure;
    switch (result.failure) {
    case TextFailure::MissingField:
        return tr("Az összes mező kitöltése kötelező.") + QLatin1Char('\n') + emptyField(result.fieldName);
    case TextFailure::AccentedCharacter:
        return tr("Ékezetes karakterek nem használhatóak.");
    case TextFailure::SeparatorInField:
        return tr("Az elválasztó karakter (%1) nem használható a mezőkben.").arg(latin1::fromByte(separator));
    case TextFailure::PhoneCharacter:
        return tr("A telefonszámokban csak számjegy és szóköz állhat.");
    case TextFailure::None:
        break;
    }
    return QString();
}

QString emptyField(const QString &name)
{
    return tr("Üres mező: %1.").arg(formtexts::fieldLabel(name));
}

} // namespace outcometexts
