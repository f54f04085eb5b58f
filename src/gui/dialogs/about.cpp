#include "about.h"
#include "ui_about.h"

#include "core/appinfo.h"
#include "gui/fit/windowfit.h"

about::about(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::about>())
{
    ui->setupUi(this);
    ui->label_6->setText(ui->label_6->text().arg(QLatin1String(appinfo::version)));
    // Its texts laid out at the size they need with this platform's fonts.
    ensurePolished();
    windowfit::growToLayout(ui->layoutWidget);
    windowfit::keepOnScreen(this);
}

about::~about() = default;
