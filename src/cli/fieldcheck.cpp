#include "fieldcheck.h"

#include "configdiff.h"
#include "core/fieldrules.h"
#include "core/formschema.h"
#include "core/inputrules.h"
#include "core/latin1.h"
#include "core/transfer/transfertext.h"

namespace cli {
namespace {

QString downloadMessage(transfer::TextFailure failure, quint8 separator)
{
    using transfer::TextFailure;
    switch (failure) {
    case TextFailure::MissingField: return QStringLiteral("mandatory field is empty");
    case TextFailure::AccentedCharacter: return QStringLiteral("holds a character the module cannot take (accented or not 7-bit)");
    case TextFailure::SeparatorInField:
        return QStringLiteral("holds the separator %1 or a carriage return").arg(quoted(QString(latin1::fromByte(separator))));
    case TextFailure::PhoneCharacter: return QStringLiteral("telephone number holds characters other than digits and blanks");
    case TextFailure::None: break;
    }
    return QString();
}

} // namespace

QList<Finding> cutFindings(const FormContent &loaded)
{
    QList<Finding> list;
    for (int i = 0; i < formschema::TextCount; ++i) {
        const QString &text = loaded.texts[i];
        const QString kept = fieldrules::fitted(i, text);
        if (kept != text)
            list.append({Finding::Cut, formschema::textFields()[i].name,
                         QStringLiteral("%1 characters; the window keeps the first %2: %3")
                             .arg(text.size()).arg(kept.size()).arg(quoted(kept))});
    }
    return list;
}

QList<Finding> inputFindings(const FormContent &form)
{
    QList<Finding> list;
    for (const auto &v : inputrules::allViolations(form))
        list.append({Finding::Input, formschema::textFields()[v.index].name, v.message.trimmed()});
    return list;
}

QList<Finding> downloadFindings(const FormContent &form, const LinkSettings &settings)
{
    // The download check stops at the first refusal. Ask it again with each refused
    // field replaced by a harmless value until it passes: every refusal is then the
    // download's own verdict, with no second copy of its rules here.
    QList<Finding> list;
    FormContent probe = form;
    for (int round = 0; round <= formschema::TextCount; ++round) {
        const auto result = transfer::buildTransferText(probe, settings);
        if (result.ok())
            break;
        list.append({Finding::Download, result.fieldName, downloadMessage(result.failure, settings.downloadSeparator)});
        const int index = formschema::textIndex(result.fieldName);
        const QString harmless = settings.downloadSeparator == '0' ? QStringLiteral("1") : QStringLiteral("0");
        if (index < 0 || probe.texts[index] == harmless)
            break; // not a field (the checksum) or nothing left to replace
        probe.texts[index] = harmless;
    }
    return list;
}

QString formatFinding(const Finding &finding)
{
    static const char *const kinds[] = {"cut on loading", "input check", "download check"};
    return QStringLiteral("%1: %2: %3").arg(finding.field, QLatin1String(kinds[finding.kind]), finding.message);
}

} // namespace cli
