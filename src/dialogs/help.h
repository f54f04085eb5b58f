#pragma once

#include <QDialog>

class QDialogButtonBox;
class QPlainTextEdit;

class helpUi
{
public:
    QPlainTextEdit *plainTextEdit = nullptr;
    QDialogButtonBox *buttonBox = nullptr;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Shows the help text file "rzm_17.hlp" of the working directory, up to and
// including its first line "---".
class help : public QDialog
{
    Q_OBJECT

public:
    explicit help(QWidget *parent = nullptr);

private:
    void loadText();

    helpUi ui;
};
