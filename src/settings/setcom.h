#pragma once

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QGridLayout;
class QLabel;
class QSpacerItem;
class QVBoxLayout;

class setcomUi
{
public:
    QVBoxLayout *verticalLayout = nullptr;
    QGridLayout *gridLayout = nullptr;
    QLabel *l_com = nullptr;
    QComboBox *comboBox = nullptr;
    QLabel *l_baud = nullptr;
    QComboBox *baudrate = nullptr;
    QSpacerItem *verticalSpacer = nullptr;
    QDialogButtonBox *buttonBox = nullptr;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The serial port and bit rate. Lists only the ports COM1 to COM32 that can be
// opened exclusively at the moment the dialog opens; the bit rate is shown but
// cannot be changed, since the line always runs at 1200 bit/s.
class setcom : public QDialog
{
    Q_OBJECT

public:
    setcom(const QString &port, int baudRate, QWidget *parent = nullptr);

    // The choice after the dialog was accepted; an empty name when no port was free.
    QString port() const;
    int baudRate() const;

private:
    setcomUi ui;
};
