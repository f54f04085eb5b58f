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
    for (int i = 0; i < formschema::TextCount; ++i)
        result.texts[i] = fitted(i, result.texts[i]);
    return result;
}

FormContent readBack(const FormContent &form)
{
    FormContent held = form;
    for (int i = 0; i < formschema::TextCount; ++i) {
        const QString sent = i < formschema::HeaderCount ? transfer::headerField(i, form.texts[i]) : form.texts[i];
        held.texts[i] = withoutTrailingBlanks(sent);
    }
    return held;
}

} // namespace fieldrules
