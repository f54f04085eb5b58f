#include "help.h"
#include "ui_help.h"

#include "core/datafiles.h"
#include "gui/fit/windowfit.h"

#include <QDebug>
#include <QFile>
#include <QPlainTextEdit>
#include <QTextStream>

namespace {
const char *const kHelpFile = "rzm_17.hlp";
}

help::help(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::help>())
{
    ui->setupUi(this);
    loadText();
    // On a screen smaller than the window, the window takes the screen: the text
    // view gives up the room, and the Close button stays in sight.
    windowfit::fixOnScreen(this, size());
}

help::~help() = default;

void help::loadText()
{
    QFile file(datafiles::locate(QString::fromLatin1(kHelpFile)));
    if (!file.exists()) {
        ui->plainTextEdit->setPlainText(tr("ERROR: Canot open the help file."));
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
    ui->plainTextEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui->plainTextEdit->setPlainText(text);
}
