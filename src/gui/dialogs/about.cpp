#include "about.h"
#include "ui_about.h"

#include "core/appinfo.h"

about::about(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::about>())
{
    ui->setupUi(this);
    ui->label_6->setText(ui->label_6->text().arg(QLatin1String(appinfo::version)));
}

about::~about() = default;
