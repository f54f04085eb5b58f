// The download command.
#include "mainwindow.h"

#include "dload.h"
#include "latin1.h"
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

} // namespace

void MainWindow::download()
{
    m_settings.transferText.clear();
    const auto result = transfer::buildTransferText(captureForm(), m_settings);
    if (!result.ok()) {
        // Refused before the port is touched: nothing reaches the module.
        QMessageBox::critical(this, tr("Betöltés hiba."), failureText(result.failure, m_settings.downloadSeparator));
        return;
    }
    m_settings.transferText = result.text;

    dload dialog(m_settings, this);
    dialog.exec();
}
