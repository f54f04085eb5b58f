#include "transfercommands.h"

#include "dload.h"
#include "readprogress.h"

#include "core/files/configfile.h"
#include "core/formschema.h"
#include "core/latin1.h"
#include "core/serial/serialport.h"
#include "core/transfer/answer.h"
#include "core/transfer/transfertext.h"
#include "gui/files/unsavedchanges.h"
#include "gui/form/formbinding.h"
#include "gui/form/formchecks.h"

#include <QDebug>
#include <QMessageBox>

namespace {

QString failureText(transfer::TextFailure failure, quint8 separator)
{
    using transfer::TextFailure;
    switch (failure) {
    case TextFailure::MissingField:
        return TransferCommands::tr("Az összes mező kitöltése kötelező.");
    case TextFailure::AccentedCharacter:
        return TransferCommands::tr("Ékezetes karakterek nem használhatóak.");
    case TextFailure::SeparatorInField:
        return TransferCommands::tr("Az elválasztó karakter (%1) nem használható a mezőkben.")
            .arg(latin1::fromByte(separator));
    case TextFailure::PhoneCharacter:
        return TransferCommands::tr("A telefonszámokban csak számjegy és szóköz állhat.");
    case TextFailure::None:
        break;
    }
    return QString();
}

// The module's answer text, or nothing when the port failed or the user cancelled.
// A reception leaves the port open: the caller decides when it closes.
enum class Asked { PortFailed, Cancelled, Answered };

Asked askModule(QWidget *window, SerialPort &port, const LinkSettings &settings, const QString &label,
                QString *answerText)
{
    ReadProgress progress(window, label);
    const transfer::Reception reception = progress.run(port, settings);
    switch (reception.status) {
    case transfer::Reception::Status::PortFailure:
        return Asked::PortFailed;
    case transfer::Reception::Status::Cancelled:
        return Asked::Cancelled;
    case transfer::Reception::Status::Received:
        break;
    }
    *answerText = answer::normalise(answer::rawText(reception.bytes));
    return Asked::Answered;
}

} // namespace

TransferCommands::TransferCommands(QWidget *window, FormUi &form, const LinkSettings &settings,
                                   DocumentState &document, UnsavedChanges &unsaved)
    : m_window(window)
    , m_form(form)
    , m_settings(settings)
    , m_document(document)
    , m_unsaved(unsaved)
{
}

// A line break in a field: a carriage return ends a line on the wire, so the
// module would get the field cut in two and one line too many; a line feed has
// no place in a field either.
QString TransferCommands::lineBreakText(int index) const
{
    const QString name = formschema::textFields().at(index).name;
    const QString label = formbinding::fieldLabel(m_form, name);
    return tr("Sortörés nem használható a mezőkben.\nA hibás mező: %1.")
        .arg(label.isEmpty() ? name : QStringLiteral("\"%1\" (%2)").arg(label, name));
}

void TransferCommands::download()
{
    m_document.transferText.clear();
    const FormContent form = formbinding::capture(m_form);
    // Refused before the port is touched: nothing reaches the module. A line break
    // is named on its own, before the rules that would take a carriage return for
    // a separator.
    if (const int lineBreak = configfile::lineBreakText(form); lineBreak >= 0) {
        QMessageBox::critical(m_window, tr("Betöltés hiba."), lineBreakText(lineBreak));
        return;
    }
    const auto result = transfer::buildTransferText(form, m_settings);
    if (!result.ok()) {
        QMessageBox::critical(m_window, tr("Betöltés hiba."), failureText(result.failure, m_settings.downloadSeparator));
        return;
    }
    m_document.transferText = result.text;

    dload dialog(m_settings, m_document.transferText, m_window);
    dialog.exec();
    // The module now holds this form.
    if (dialog.succeeded())
        m_unsaved.setSaved(form);
}

void TransferCommands::readup()
{
    SerialPort port;
    QString answerText;
    switch (askModule(m_window, port, m_settings, tr("Kiolvasás..."), &answerText)) {
    case Asked::PortFailed:
        QMessageBox::critical(m_window, tr("Hiba"), tr("Sikertelen kiolvasás.\nNem lehet megnyitni a portot."));
        return;
    case Asked::Cancelled:
        return;
    case Asked::Answered:
        port.close();
        break;
    }

    // Every check is made on the captured form; the widgets change only after all passed.
    const answer::Reading reading = answer::read(answerText, formbinding::capture(m_form));
    if (!reading.ok()) {
        if (!reading.diagnostic.isEmpty())
            qDebug().noquote() << reading.diagnostic;
        QMessageBox::critical(m_window, tr("Hiba"),
                              tr("Sikertelen kiolvasás.\nEllenőrizze az eszközt, és próbálja meg újra!"));
        return;
    }
    // Texts in enumeration order, then the boxes record by record, then the combo.
    formbinding::apply(m_form, reading.content, reading.boxOrder);
    formchecks::showSmsCentre(m_form);
    // The form now shows what the module holds.
    m_unsaved.setSaved(formbinding::capture(m_form));
}

void TransferCommands::verify()
{
    const transfer::TextResult expected = transfer::buildVerifyText(formbinding::capture(m_form), m_settings);
    m_document.transferText = expected.text;
    if (!expected.ok()) {
        QMessageBox::critical(m_window, tr("Hiba"), tr("Sikertelen ellenőrzés. (ascii error)"));
        return;
    }

    SerialPort port;
    QString answerText;
    switch (askModule(m_window, port, m_settings, tr("Ellenőrzés..."), &answerText)) {
    case Asked::PortFailed:
        QMessageBox::critical(m_window, tr("Hiba"), tr("Sikertelen ellenőrzés.\nNem lehet megnyitni a portot."));
        return;
    case Asked::Cancelled:
        return;
    case Asked::Answered:
        break;
    }

    // The port stays open while the result is shown.
    if (answerText == m_document.transferText)
        QMessageBox::information(m_window, tr("Ellenőrzés"), tr("Sikeres ellenőrzés."));
    else
        QMessageBox::critical(m_window, tr("Ellenőrzés"), tr("Sikertelen ellenőrzés.\nTöltse be újra a konfigurációt!"));
    port.close();
}
