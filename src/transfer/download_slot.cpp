// The download command.
#include "mainwindow.h"

#include "dload.h"
#include "files/configfile.h"
#include "files/unsavedchanges.h"
#include "formbinding.h"
#include "formschema.h"
#include "latin1.h"
#include "mainwindowui.h"
#include "transfer/transfertext.h"

#include <QMessageBox>

namespace {

QString failureText(transfer::TextFailure failure, quint8 separator)
{
    using transfer::TextFailure;
    switch (failure) {
    case TextFailure::MissingField:
        return MainWindow::tr("Az összes mező kitöltése kötelező.");
    case TextFailure::AccentedCharacter:
        return MainWindow::tr("Ékezetes karakterek nem használhatóak.");
    case TextFailure::SeparatorInField:
        return MainWindow::tr("Az elválasztó karakter (%1) nem használható a mezőkben.")
            .arg(latin1::fromByte(separator));
    case TextFailure::PhoneCharacter:
        return MainWindow::tr("A telefonszámokban csak számjegy és szóköz állhat.");
    case TextFailure::None:
        break;
    }
    return QString();
}

// A line break in a field: a carriage return ends a line on the wire, so the
// module would get the field cut in two and one line too many; a line feed has
// no place in a field either.
QString lineBreakText(const QWidget *centralWidget, int index)
{
    const QString name = formschema::textFields().at(index).name;
    const QString label = formbinding::fieldLabel(centralWidget, name);
    return MainWindow::tr("Sortörés nem használható a mezőkben.\nA hibás mező: %1.")
        .arg(label.isEmpty() ? name : QStringLiteral("\"%1\" (%2)").arg(label, name));
}

} // namespace

void MainWindow::download()
{
    m_settings.transferText.clear();
    const FormContent form = captureForm();
    // Refused before the port is touched: nothing reaches the module. A line break
    // is named on its own, before the rules that would take a carriage return for
    // a separator.
    if (const int lineBreak = configfile::lineBreakText(form); lineBreak >= 0) {
        QMessageBox::critical(this, tr("Betöltés hiba."), lineBreakText(ui->centralWidget, lineBreak));
        return;
    }
    const auto result = transfer::buildTransferText(form, m_settings);
    if (!result.ok()) {
        QMessageBox::critical(this, tr("Betöltés hiba."), failureText(result.failure, m_settings.downloadSeparator));
        return;
    }
    m_settings.transferText = result.text;

    dload dialog(m_settings, this);
    dialog.exec();
    // The module now holds this form.
    if (dialog.succeeded())
        m_unsaved->setSaved(form);
}
