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
    QLabel *l_why = nullptr; // why a port that is there was left out; hidden when none was
    QSpacerItem *verticalSpacer = nullptr;
    QDialogButtonBox *buttonBox = nullptr;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The serial port and bit rate. Lists only the ports COM1 to COM32 that can be
// opened exclusively at the moment the dialog opens; the bit rate is shown but
// cannot be changed, since the line always runs at 1200 bit/s. Serial adapters
// without a COM name get one before the probe; when a port that is there was
// left out (another program holds it, or we may not open it), one line under
// the lists says which and why.
class setcom : public QDialog
{
    Q_OBJECT

public:
    setcom(const QString &port, int baudRate, QWidget *parent = nullptr);

    // The choice after the dialog was accepted; an empty name when no port was free.
    QString port() const;
    int baudRate() const;

private:
    void explainLeftOut();

    setcomUi ui;
};
