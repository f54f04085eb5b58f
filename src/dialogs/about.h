#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QSpacerItem;
class QVBoxLayout;
class QWidget;

class aboutUi
{
public:
    QWidget *layoutWidget = nullptr;
    QVBoxLayout *verticalLayout = nullptr;
    QLabel *label = nullptr;   // copyright
    QLabel *label_3 = nullptr; // web address
    QLabel *label_2 = nullptr; // e-mail address
    QSpacerItem *verticalSpacer = nullptr;
    QLabel *label_5 = nullptr; // "Written by:"
    QLabel *label_4 = nullptr; // author, italic
    QSpacerItem *verticalSpacer_2 = nullptr;
    QLabel *label_6 = nullptr; // version
    QDialogButtonBox *buttonBox = nullptr;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The maker's details and the program version.
class about : public QDialog
{
    Q_OBJECT

public:
    explicit about(QWidget *parent = nullptr);

private:
    aboutUi ui;
};
