#include "fieldcheck.h"

#include "configdiff.h"
#include "core/fieldrules.h"
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
    for (qsizetype i = 0; i < loaded.texts.size(); ++i) {
        const auto &text = loaded.texts[i].text;
        const QString kept = fieldrules::fitted(int(i), text);
        if (kept != text)
            list.append({Finding::Cut, loaded.texts[i].name,
                         QStringLiteral("%1 characters; the window keeps the first %2: %3")
                             .arg(text.size()).arg(kept.size()).arg(quoted(kept))});
    }
    return list;
}

QList<Finding> inputFindings(const FormContent &form)
{
    QList<Finding> list;
    for (const auto &v : inputrules::allViolations(form))
        list.append({Finding::Input, form.texts[v.index].name, v.message.trimmed()});
    return list;
}

QList<Finding> downloadFindings(const FormContent &form, const LinkSettings &settings)
{
    // The download check stops at the first refusal. Ask it again with each refused
    // field replaced by a harmless value until it passes: every refusal is then the
    // download's own verdict, with no second copy of its rules here.
    QList<Finding> list;
    FormContent probe = form;
    for (qsizetype round = 0; round <= probe.texts.size(); ++round) {
        const auto result = transfer::buildTransferText(probe, settings);
        if (result.ok())
            break;
        list.append({Finding::Download, result.fieldName, downloadMessage(result.failure, settings.downloadSeparator)});
        const int index = probe.textIndex(result.fieldName);
        const QString harmless = settings.downloadSeparator == '0' ? QStringLiteral("1") : QStringLiteral("0");
        if (index < 0 || probe.texts[index].text == harmless)
            break; // not a field (the checksum) or nothing left to replace
        probe.texts[index].text = harmless;
    }
    return list;
}

QString formatFinding(const Finding &finding)
{
    static const char *const kinds[] = {"cut on loading", "input check", "download check"};
    return QStringLiteral("%1: %2: %3").arg(finding.field, QLatin1String(kinds[finding.kind]), finding.message);
}

} // namespace cli
