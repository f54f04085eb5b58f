#pragma once

#include <QList>
#include <QString>

// The form's values in enumeration order, free of widgets: what files, transfer
// texts, read-outs and the simulator exchange. The widgets stay the data model;
// commands capture one of these, hand it to a core function, and apply the result.
struct FormContent
{
    struct Text
    {
        QString name;
        QString text;
        friend bool operator==(const Text &, const Text &) = default;
    };
    struct Box
    {
        QString name;
        QString group;
        bool checked = false;
        friend bool operator==(const Box &, const Box &) = default;
    };

    QList<Text> texts;
    QList<Box> boxes;

    // The form as it is built: empty fields, smskp on the first operator, no box checked.
    static FormContent defaults();
    // The same field set with every field empty and every box clear.
    static FormContent empty();

    int textIndex(const QString &name) const; // -1 if absent
    QString text(const QString &name) const;
    void setText(const QString &name, const QString &value);

    friend bool operator==(const FormContent &, const FormContent &) = default;
};
