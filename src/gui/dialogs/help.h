#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class help;
}

// Shows the help text file "rzm_17.hlp", up to and including its first line "---"
// (help.ui). The file is looked for in the working directory, then beside the
// program, then in the installed data folder (datafiles::locate).
class help : public QDialog
{
    Q_OBJECT

public:
    explicit help(QWidget *parent = nullptr);
    ~help() override;

private:
    void loadText();

    std::unique_ptr<Ui::help> ui;
};
