#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class setcom;
}

// The serial port and bit rate. Lists only the ports COM1 to COM32 that can be
// opened exclusively at the moment the dialog opens; the bit rate is shown but
// cannot be changed, since the line always runs at 1200 bit/s (LineBaudRate). Serial adapters
// without a COM name get one before the probe; when a port that is there was
// left out (another program holds it, or we may not open it), one line under
// the lists says which and why (setcom.ui). The port chosen before stays the
// choice even when it is held or gone, with a line that says so.
class setcom : public QDialog
{
    Q_OBJECT

public:
    explicit setcom(const QString &port, QWidget *parent = nullptr);
    ~setcom() override;

    // The choice after the dialog was accepted; an empty name when no port was free.
    QString port() const;

private:
    void explainLeftOut();
    bool keepChosen(const QString &port);
    void explainChosen(const QString &port);

    std::unique_ptr<Ui::setcom> ui;
};
