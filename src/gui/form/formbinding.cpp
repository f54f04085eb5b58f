#include "formbinding.h"

#include "formui.h"

#include <QCheckBox>
#include <QLineEdit>

namespace formbinding {
namespace {

void applyTexts(FormUi &form, const FormContent &content)
{
    const auto &edits = form.textFields();
    Q_ASSERT(edits.size() == content.texts.size());
    for (int i = 0; i < edits.size() && i < content.texts.size(); ++i) {
        edits[i]->clear();
        edits[i]->setText(content.texts[i].text);
    }
}

} // namespace

FormContent capture(const FormUi &form)
{
    FormContent content;
    content.texts.reserve(form.textFields().size());
    for (const QLineEdit *edit : form.textFields())
        content.texts.append({edit->objectName(), edit->text()});
    content.boxes.reserve(form.boxes().size());
    for (const QCheckBox *box : form.boxes())
        content.boxes.append({box->objectName(), box->property("group").toString(), box->isChecked()});
    return content;
}

void apply(FormUi &form, const FormContent &content)
{
    applyTexts(form, content);
    const auto &boxes = form.boxes();
    Q_ASSERT(boxes.size() == content.boxes.size());
    for (int k = 0; k < boxes.size() && k < content.boxes.size(); ++k)
        boxes[k]->setChecked(content.boxes[k].checked);
}

void apply(FormUi &form, const FormContent &content, const QList<int> &boxOrder)
{
    applyTexts(form, content);
    const auto &boxes = form.boxes();
    for (int k : boxOrder)
        if (k >= 0 && k < boxes.size() && k < content.boxes.size())
            boxes[k]->setChecked(content.boxes[k].checked);
}

} // namespace formbinding
