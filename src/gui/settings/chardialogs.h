#pragma once

#include <QDialog>
#include <QSize>

#include <memory>

namespace Ui {
class OneCharDialog;
}

// What a one-character field stands for and back: the module works on single
// bytes, so a field stores the Latin-1 code of its first character.
namespace charfield {

// '?' for a character outside Latin-1, 0 for an empty field.
quint8 firstByte(const QString &text);
// The field text that shows a stored byte; an empty field for 0.
QString text(quint8 byte);

} // namespace charfield

// A dialog that edits one character (onechardialog.ui): a label, a field of one
// character, OK and Cancel. OK is allowed only while the field holds a character;
// it starts enabled whatever the first text is, because the field is watched only
// after it was filled. setFix, setAck and setUC give its look and first text.
class OneCharDialog : public QDialog
{
    Q_OBJECT

public:
    ~OneCharDialog() override;

    // The byte to store after the dialog was accepted.
    quint8 character() const;

public slots:
    void handleChange(const QString &text);

protected:
    struct Look
    {
        const char *title; // source texts, translated in the dialog's own class context
        const char *label;
        QSize size;
        bool centreButtons;
    };
    // `kind` is the subclass, whose name is the object name and translation context.
    OneCharDialog(QWidget *parent, const QMetaObject &kind, const Look &look, const QString &initial);
    void changeEvent(QEvent *event) override;

private:
    void retranslateUi();

    std::unique_ptr<Ui::OneCharDialog> ui;
    const char *m_context;
    Look m_look;
};

// The fixed check character. Its field always opens empty.
class setFix : public OneCharDialog
{
    Q_OBJECT

public:
    explicit setFix(QWidget *parent = nullptr);
};

// The character with which the module acknowledges a line.
class setAck : public OneCharDialog
{
    Q_OBJECT

public:
    setAck(QWidget *parent, quint8 ackChar);
};

// The character that asks the module for its contents.
class setUC : public OneCharDialog
{
    Q_OBJECT

public:
    setUC(QWidget *parent, quint8 uploadCommand);
};
