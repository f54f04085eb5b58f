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

// Shows the help text file "rzm_17.hlp", up to and including its first line "---".
// The file is looked for in the working directory, then beside the program, then
// in the installed data folder (datafiles::locate).
class help : public QDialog
{
    Q_OBJECT

public:
    explicit help(QWidget *parent = nullptr);

private:
    void loadText();

    helpUi ui;
};
