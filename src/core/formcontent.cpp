#include "formcontent.h"

#include "smscentre.h"

FormContent FormContent::defaults()
{
    FormContent form;
    form.texts[0] = smscentre::number(0);
    return form;
}

QString FormContent::text(const QString &name) const
{
    const int i = formschema::textIndex(name);
    return i < 0 ? QString() : texts[i];
}

void FormContent::setText(const QString &name, const QString &value)
{
    if (const int i = formschema::textIndex(name); i >= 0)
        texts[i] = value;
}
