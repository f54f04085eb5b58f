#include "fieldrules.h"

#include "core/transfer/transfertext.h"
#include "formschema.h"

namespace fieldrules {
namespace {

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace

QString fitted(int index, const QString &text)
{
    const auto &fields = formschema::textFields();
    if (index < 0 || index >= fields.size())
        return text;
    return text.left(fields[index].maxLength);
}

FormContent fitToFields(const FormContent &form)
{
    FormContent result = form;
    for (qsizetype i = 0; i < result.texts.size(); ++i)
        result.texts[i].text = fitted(int(i), result.texts[i].text);
    return result;
}

FormContent readBack(const FormContent &form)
{
    FormContent held = form;
    for (qsizetype i = 0; i < held.texts.size(); ++i) {
        const QString sent = i < formschema::HeaderCount ? transfer::headerField(form.texts[i]) : form.texts[i].text;
        held.texts[i].text = withoutTrailingBlanks(sent);
    }
    return held;
}

} // namespace fieldrules
