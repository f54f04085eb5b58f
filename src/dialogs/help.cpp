#include "help.h"

#include "datafiles.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDebug>
#include <QFile>
#include <QPlainTextEdit>
#include <QTextStream>

namespace {
const char *const kHelpFile = "rzm_17.hlp";
}

void helpUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName("help");
    dialog->setFixedSize(880, 680);
    plainTextEdit = new QPlainTextEdit(dialog);
    plainTextEdit->setObjectName("plainTextEdit");
    plainTextEdit->setGeometry(10, 10, 860, 630);
    buttonBox = new QDialogButtonBox(dialog);
    buttonBox->setObjectName("buttonBox");
    buttonBox->setGeometry(10, 645, 860, 32);
    buttonBox->setOrientation(Qt::Horizontal);
    buttonBox->setStandardButtons(QDialogButtonBox::Close);
    buttonBox->setCenterButtons(true);
    QObject::connect(buttonBox, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttonBox, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    retranslateUi(dialog);
}

void helpUi::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("help", "Help"));
}

help::help(QWidget *parent)
    : QDialog(parent)
{
    ui.setupUi(this);
    ui.plainTextEdit->setReadOnly(true);
    loadText();
}

void help::loadText()
{
    QFile file(datafiles::locate(QString::fromLatin1(kHelpFile)));
    if (!file.exists()) {
        ui.plainTextEdit->setPlainText(tr("ERROR: Canot open the help file."));
        return;
    }
    if (!file.open(QIODevice::ReadOnly))
        qDebug() << "help file exists but does not open:" << file.errorString();
    QTextStream stream(&file);
    stream.setEncoding(QStringConverter::System);
    QString text;
    // The closing "---" is shown too; it is appended before the test.
    for (;;) {
        const QString line = stream.readLine();
        text += line + QLatin1Char('\n');
        if (line == QLatin1StringView("---") || stream.atEnd())
            break;
    }
    file.close();
    ui.plainTextEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui.plainTextEdit->setPlainText(text);
}
