#include "formbinding.h"

#include "formui.h"

#include <QCheckBox>
#include <QLineEdit>

namespace formbinding {
namespace {

void applyTexts(FormUi &form, const FormContent &content)
{
    const auto &edits = form.textFields();
    for (int i = 0; i < formschema::TextCount; ++i) {
        edits[i]->clear();
        edits[i]->setText(content.texts[i]);
    }
}

} // namespace

FormContent capture(const FormUi &form)
{
    FormContent content;
    for (int i = 0; i < formschema::TextCount; ++i)
        content.texts[i] = form.textFields()[i]->text();
    for (int k = 0; k < formschema::BoxCount; ++k)
        content.boxes[k] = form.boxes()[k]->isChecked();
    return content;
}

void apply(FormUi &form, const FormContent &content)
{
    applyTexts(form, content);
    for (int k = 0; k < formschema::BoxCount; ++k)
        form.boxes()[k]->setChecked(content.boxes[k]);
}

void apply(FormUi &form, const FormContent &content, const QList<int> &boxOrder)
{
    applyTexts(form, content);
    for (int k : boxOrder)
        form.boxes()[k]->setChecked(content.boxes[k]);
}

} // namespace formbinding
