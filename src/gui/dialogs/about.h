#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class about;
}

// The maker's details and the program version (about.ui).
class about : public QDialog
{
    Q_OBJECT

public:
    explicit about(QWidget *parent = nullptr);
    ~about() override;

private:
    std::unique_ptr<Ui::about> ui;
};
