#pragma once

#include "formschema.h"

#include <QList>
#include <QStringList>

// The form's values free of widgets: the 92 texts and the 256 box states in
// enumeration order, what files, transfer texts, read-outs and the simulator
// exchange. What each position is (a field's name, a box's record and bit) is
// the schema's (formschema). The widgets stay the data model; commands capture
// one of these, hand it to a core function, and apply the result.
struct FormContent
{
    QStringList texts = QStringList(formschema::TextCount);
    QList<bool> boxes = QList<bool>(formschema::BoxCount, false);

    // The form as it is built: empty fields, smskp on the first operator, no box checked.
    static FormContent defaults();

    // A text by its field's object name (formschema::textIndex); empty if unknown.
    QString text(const QString &name) const;
    void setText(const QString &name, const QString &value);

    friend bool operator==(const FormContent &, const FormContent &) = default;
};
