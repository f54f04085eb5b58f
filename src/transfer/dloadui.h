#pragma once

class QDialog;
class QDialogButtonBox;
class QLabel;
class QProgressBar;

// The download dialog's widgets, built in one step, texts set in another.
class DloadUi
{
public:
    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);

    QLabel *label = nullptr;
    QLabel *kiiras = nullptr;
    QProgressBar *progressBar = nullptr;
    QDialogButtonBox *buttonBox = nullptr;
};
