#pragma once

#include "chardialogs.h"

// The download and upload separators of the transfer texts.
class separatorsUi
{
public:
    QVBoxLayout *verticalLayout = nullptr;
    CharRowUi downloadRow;
    CharRowUi uploadRow;
    QLineEdit *c_ds = nullptr;
    QLineEdit *c_us = nullptr;
    QDialogButtonBox *buttonBox = nullptr;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

class separators : public QDialog
{
    Q_OBJECT

public:
    separators(QWidget *parent, quint8 downloadSeparator, quint8 uploadSeparator);

    // The bytes to store after the dialog was accepted.
    quint8 downloadSeparator() const;
    quint8 uploadSeparator() const;

public slots:
    // OK only while both fields hold a character.
    void handleChange();

private:
    separatorsUi ui;
};
