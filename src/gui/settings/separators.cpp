#include "separators.h"
#include "ui_separators.h"

#include "chardialogs.h"

#include <QPushButton>

separators::separators(QWidget *parent, quint8 downloadSeparator, quint8 uploadSeparator)
    : QDialog(parent)
    , ui(std::make_unique<Ui::separators>())
{
    ui->setupUi(this);
    ui->c_ds->setText(charfield::text(downloadSeparator));
    ui->c_us->setText(charfield::text(uploadSeparator));
    connect(ui->c_ds, &QLineEdit::textChanged, this, &separators::handleChange);
    connect(ui->c_us, &QLineEdit::textChanged, this, &separators::handleChange);
}

separators::~separators() = default;

quint8 separators::downloadSeparator() const
{
    return charfield::firstByte(ui->c_ds->text());
}

quint8 separators::uploadSeparator() const
{
    return charfield::firstByte(ui->c_us->text());
}

void separators::handleChange()
{
    const bool both = !ui->c_ds->text().isEmpty() && !ui->c_us->text().isEmpty();
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(both);
}
