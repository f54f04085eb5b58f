#include "formbinding.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace formbinding {

FormContent capture(const QWidget *centralWidget)
{
    FormContent content;
    const auto edits = centralWidget->findChildren<QLineEdit *>();
    content.texts.reserve(edits.size());
    for (const QLineEdit *edit : edits)
        content.texts.append({edit->objectName(), edit->text()});
    const auto boxes = centralWidget->findChildren<QCheckBox *>();
    content.boxes.reserve(boxes.size());
    for (const QCheckBox *box : boxes)
        content.boxes.append({box->objectName(), box->property("group").toString(), box->isChecked()});
    return content;
}

void apply(QWidget *centralWidget, const FormContent &content)
{
    const auto edits = centralWidget->findChildren<QLineEdit *>();
    Q_ASSERT(edits.size() == content.texts.size());
    for (int i = 0; i < edits.size() && i < content.texts.size(); ++i) {
        edits[i]->clear();
        edits[i]->setText(content.texts[i].text);
    }
    const auto boxes = centralWidget->findChildren<QCheckBox *>();
    Q_ASSERT(boxes.size() == content.boxes.size());
    for (int k = 0; k < boxes.size() && k < content.boxes.size(); ++k)
        boxes[k]->setChecked(content.boxes[k].checked);
}

QString fieldLabel(const QWidget *centralWidget, const QString &name)
{
    const auto *label = centralWidget->findChild<QLabel *>(QStringLiteral("l_") + name);
    QString text = label ? label->text().trimmed() : QString();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

} // namespace formbinding
