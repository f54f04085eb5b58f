#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class separators;
}

// The download and upload separators of the transfer texts (separators.ui).
class separators : public QDialog
{
    Q_OBJECT

public:
    separators(QWidget *parent, quint8 downloadSeparator, quint8 uploadSeparator);
    ~separators() override;

    // The bytes to store after the dialog was accepted.
    quint8 downloadSeparator() const;
    quint8 uploadSeparator() const;

public slots:
    // OK only while both fields hold a character.
    void handleChange();

private:
    std::unique_ptr<Ui::separators> ui;
};
