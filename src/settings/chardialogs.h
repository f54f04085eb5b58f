#pragma once

#include <QDialog>

class QDialogButtonBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;

// What a one-character field stands for and back: the module works on single
// bytes, so a field stores the Latin-1 code of its first character.
namespace charfield {

// '?' for a character outside Latin-1, 0 for an empty field.
quint8 firstByte(const QString &text);
// The field text that shows a stored byte; an empty field for 0.
QString text(quint8 byte);

} // namespace charfield

// One row of a one-character dialog: a label beside a field of one character.
struct CharRowUi
{
    QHBoxLayout *layout = nullptr;
    QLabel *label = nullptr;
    QLineEdit *field = nullptr;

    void setupUi(QWidget *dialog, QVBoxLayout *parentLayout, const QString &labelName,
                 const QString &fieldName);
};

// The button row every settings dialog ends with: OK and Cancel.
QDialogButtonBox *addOkCancel(QDialog *dialog, QVBoxLayout *layout, bool centred);

// The shape that setFix, setAck and setUC share: one row, then the buttons.
class OneCharUi
{
public:
    QVBoxLayout *verticalLayout = nullptr;
    CharRowUi row;
    QLineEdit *i_char = nullptr;
    QDialogButtonBox *buttonBox = nullptr;

protected:
    void setupUi(QDialog *dialog, const char *objectName, QSize size, bool centreButtons);
    void retranslateUi(QDialog *dialog, const char *context, const char *title, const char *label);
};

class setFixUi : public OneCharUi
{
public:
    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

class setAckUi : public OneCharUi
{
public:
    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

class setUCUi : public OneCharUi
{
public:
    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Base of the dialogs that edit one character: OK is allowed only while the field
// holds a character. It starts enabled whatever the first text is, because the
// field is connected only after it was filled.
class OneCharDialog : public QDialog
{
    Q_OBJECT

public:
    // The byte to store after the dialog was accepted.
    quint8 character() const;

public slots:
    void handleChange(const QString &text);

protected:
    using QDialog::QDialog;
    void watch(QLineEdit *field, QDialogButtonBox *buttons);

private:
    QLineEdit *m_field = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};

// The fixed check character. Its field always opens empty.
class setFix : public OneCharDialog
{
    Q_OBJECT

public:
    explicit setFix(QWidget *parent = nullptr);

private:
    setFixUi ui;
};

// The character with which the module acknowledges a line.
class setAck : public OneCharDialog
{
    Q_OBJECT

public:
    setAck(QWidget *parent, quint8 ackChar);

private:
    setAckUi ui;
};

// The character that asks the module for its contents.
class setUC : public OneCharDialog
{
    Q_OBJECT

public:
    setUC(QWidget *parent, quint8 uploadCommand);

private:
    setUCUi ui;
};
