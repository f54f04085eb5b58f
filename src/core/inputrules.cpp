#include "inputrules.h"

#include "formcontent.h"
#include "formschema.h"
#include "latin1.h"

namespace inputrules {

// The window shows these in its "Input error" box, translated by CoreTexts::tr().
const char *const DigitsMessage = QT_TRANSLATE_NOOP("CoreTexts", "Only numbers.");
const char *const SevenBitMessage = QT_TRANSLATE_NOOP("CoreTexts", "Only numbers and characters. (7-bit ascii)\n");
const char *const RestoreMessage = QT_TRANSLATE_NOOP("CoreTexts", "The value is only 1 or 0.");
const char *const PhoneMessage = QT_TRANSLATE_NOOP("CoreTexts", "Telephone number: only numbers.");

Rule ruleFor(int index)
{
    if (index < formschema::MandatoryCount) {
        using namespace formschema::fieldname;
        const QString &name = formschema::textFields()[index].name;
        if (name == SmsCentre || name == Id || name == Pin || name == RelayTime)
            return Rule::Digits;
        return Rule::SevenBit;
    }
    if (index < formschema::HeaderCount)
        return Rule::Unchecked;
    return Rule::Phone;
}

bool breaks(Rule rule, QChar c)
{
    // Decided on the signed byte: accented and non-Latin-1 characters are never digits or 7-bit.
    const int v = latin1::signedCode(c);
    switch (rule) {
    case Rule::Digits:
    case Rule::Phone:
        return !((v >= '0' && v <= '9') || v == ' ');
    case Rule::SevenBit:
        return v < 1 || v > 127;
    case Rule::Unchecked:
        return false;
    }
    return false;
}

namespace {

std::optional<Violation> check(int index, const QString &text)
{
    const QString &name = formschema::textFields()[index].name;
    const Rule rule = ruleFor(index);
    for (QChar c : text) {
        if (breaks(rule, c)) {
            switch (rule) {
            case Rule::Digits: return Violation{index, QString::fromLatin1(DigitsMessage)};
            case Rule::SevenBit: return Violation{index, QString::fromLatin1(SevenBitMessage)};
            case Rule::Phone: return Violation{index, QString::fromLatin1(PhoneMessage)};
            case Rule::Unchecked: break;
            }
        }
    }
    if (name == formschema::fieldname::Restore && !text.isEmpty() && text != u"0" && text != u"1")
        return Violation{index, QString::fromLatin1(RestoreMessage)};
    return std::nullopt;
}

} // namespace

std::optional<Violation> firstViolation(const FormContent &form)
{
    for (int i = 0; i < formschema::TextCount; ++i)
        if (auto v = check(i, form.texts[i]))
            return v;
    return std::nullopt;
}

QList<Violation> allViolations(const FormContent &form)
{
    QList<Violation> list;
    for (int i = 0; i < formschema::TextCount; ++i)
        if (auto v = check(i, form.texts[i]))
            list.append(*v);
    return list;
}

} // namespace inputrules
