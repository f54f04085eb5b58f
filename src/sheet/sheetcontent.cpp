#include "sheetcontent.h"

#include "core/formschema.h"
#include "core/formtexts.h"
#include "core/smscentre.h"

#include <QHash>
#include <QStringList>

namespace sheet {
namespace {

// The sheet's own words; everything about a field is the form's text.
const char16_t *const kTitle = u"RZM-417 átadási lap";
const char16_t *const kDate = u"Dátum:";
const char16_t *const kFile = u"Konfigurációs fájl:";
const char16_t *const kNoFile = u"(nincs mentve)";
const char16_t *const kFileUnsaved = u"%1 (módosítva, nincs mentve)";
const char16_t *const kModule = u"Modul";
const char16_t *const kMessages = u"Üzenetek";
const char16_t *const kPhones = u"Telefonszámok";
const char16_t *const kSlot = u"Sorszám";
const char16_t *const kNoPhones = u"Egyik telefonszám-hely sincs használatban.";
const char16_t *const kContinued = u"(folytatás)";
const char16_t *const kHandedOver = u"Átadta:";
const char16_t *const kReceived = u"Átvette:";
const char16_t *const kYes = u"igen";
const char16_t *const kNo = u"nem";
const char16_t *const kSeconds = u"mp";
const char16_t *const kPage = u"%1/%2. oldal";

QString words(const char16_t *text)
{
    return QString::fromUtf16(text);
}

PairHeader pairHeader(const char *formText)
{
    QStringList parts = QString::fromUtf8(formText).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    PairHeader header;
    header.second = parts.takeLast();
    header.first = parts.takeLast();
    header.title = parts.join(QLatin1Char(' '));
    return header;
}

// How a named field reads on paper: the PIN masked unless asked for, the SMS
// centre with its operator, the restore flag and the relay time with their meaning.
QString shownValue(const QString &name, const QString &text, bool showPin)
{
    using namespace formschema::fieldname;
    if (name == Pin && !showPin && !text.isEmpty())
        return QString::fromLatin1(MaskedPin);
    if (name == SmsCentre && !text.isEmpty())
        return QStringLiteral("%1 (%2)").arg(text, smscentre::operatorName(smscentre::indexForNumber(text)));
    if (name == Restore && (text == u"1" || text == u"0"))
        return QStringLiteral("%1 (%2)").arg(text, words(text == u"1" ? kYes : kNo));
    if (name == RelayTime && !text.trimmed().isEmpty())
        return QStringLiteral("%1 %2").arg(text, words(kSeconds));
    return text;
}

QList<PhoneRow> phonesInUse(const FormContent &form)
{
    QList<PhoneRow> rows(formschema::PhoneCount);
    for (int slot = 1; slot <= formschema::PhoneCount; ++slot) {
        rows[slot - 1].slot = slot;
        rows[slot - 1].number = form.texts[formschema::HeaderCount + slot - 1];
    }
    // Each box under the column where the form shows it.
    const auto &boxes = formschema::boxes();
    for (int k = 0; k < formschema::BoxCount; ++k)
        rows[formschema::phoneSlot(boxes[k].block, boxes[k].row) - 1].marks[boxes[k].column - 1] = form.boxes[k];
    QList<PhoneRow> used;
    for (const auto &row : rows) {
        const bool anyMark = row.marks[0] || row.marks[1] || row.marks[2] || row.marks[3];
        if (!row.number.trimmed().isEmpty() || anyMark)
            used.append(row);
    }
    return used;
}

} // namespace

QString SheetContent::pageOf(int page, int pages)
{
    return words(kPage).arg(page).arg(pages);
}

SheetContent sheetContent(const SheetInput &input)
{
    SheetContent c;
    c.title = words(kTitle);
    c.date = {words(kDate), input.date.toString(QStringLiteral("yyyy.MM.dd."))};
    // A sheet of edits that were not saved must not pass for the file it names.
    const QString file = input.fileUnsaved ? words(kFileUnsaved).arg(input.fileName) : input.fileName;
    c.file = {words(kFile), input.fileName.isEmpty() ? words(kNoFile) : file};
    c.moduleHeading = words(kModule);
    c.messageHeading = words(kMessages);
    const auto &fields = formschema::textFields();
    for (int i = 0; i < formschema::MandatoryCount; ++i) {
        const Entry entry{QString::fromUtf8(formtexts::NamedRows[i].label),
                          shownValue(fields[i].name, input.form.text(fields[i].name), input.showPin)};
        (i < formschema::MandatoryCount / 2 ? c.module : c.messages).append(entry);
    }
    c.phoneHeading = words(kPhones);
    c.slotColumn = words(kSlot);
    c.numberColumn = QString::fromUtf8(formtexts::PhoneHeader);
    c.alarm = pairHeader(formtexts::AlarmHeader);
    c.control = pairHeader(formtexts::ControlHeader);
    c.phones = phonesInUse(input.form);
    c.noPhones = words(kNoPhones);
    c.continued = words(kContinued);
    const QString id = input.form.text(formschema::fieldname::Id).trimmed();
    const QString name = input.form.text(formschema::fieldname::Name).trimmed();
    c.footer = QStringLiteral("%1 · %2 %3 · %4").arg(c.title, id, name, c.file.value).simplified();
    c.handedOver = {words(kHandedOver), QString()};
    c.received = {words(kReceived), QString()};
    return c;
}

} // namespace sheet
