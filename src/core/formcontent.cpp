#include "formcontent.h"

#include "formschema.h"
#include "smscentre.h"

FormContent FormContent::empty()
{
    FormContent form;
    const auto &fields = formschema::textFields();
    form.texts.reserve(fields.size());
    for (const auto &f : fields)
        form.texts.append({f.name, QString()});
    const auto &boxes = formschema::boxes();
    form.boxes.reserve(boxes.size());
    for (const auto &b : boxes)
        form.boxes.append({b.name, b.group, false});
    return form;
}

FormContent FormContent::defaults()
{
    FormContent form = empty();
    form.texts[0].text = smscentre::number(0);
    return form;
}

int FormContent::textIndex(const QString &name) const
{
    for (int i = 0; i < texts.size(); ++i)
        if (texts[i].name == name)
            return i;
    return -1;
}

QString FormContent::text(const QString &name) const
{
    const int i = textIndex(name);
    return i < 0 ? QString() : texts[i].text;
}

void FormContent::setText(const QString &name, const QString &value)
{
    const int i = textIndex(name);
    if (i >= 0)
        texts[i].text = value;
}
