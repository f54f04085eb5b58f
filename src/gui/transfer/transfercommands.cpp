#include "transfercommands.h"

#include "dload.h"
#include "outcometexts.h"
#include "readprogress.h"
#include "safedownload.h"

#include "core/files/configfile.h"
#include "core/formschema.h"
#include "core/formtexts.h"
#include "core/safewrite/backupfile.h"
#include "core/serial/serialport.h"
#include "core/transfer/answer.h"
#include "core/transfer/transfertext.h"
#include "core/transfer/verifyanswer.h"
#include "gui/form/formbinding.h"
#include "gui/form/formchecks.h"
#include "gui/windowtexts.h"

#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include <optional>

namespace {

// The read-out and the verify ask the module alike; they differ in their texts.
enum class Reading { ReadOut, Verify };

// The module's answer, or nothing when the user cancelled or the port failed
// (which is then shown). A reception leaves the port open: the caller decides when
// it closes.
std::optional<transfer::Reception> askModule(QWidget *window, SerialPort &port, const LinkSettings &settings,
                                             Reading reading)
{
    const bool readOut = reading == Reading::ReadOut;
    ReadProgress progress(window, readOut ? WindowTexts::tr("Kiolvasás...") : WindowTexts::tr("Ellenőrzés..."));
    const transfer::Reception reception = progress.run(port, settings);
    switch (reception.status) {
    case transfer::Reception::Status::PortFailure:
        QMessageBox::critical(window, WindowTexts::tr("Hiba"),
                              readOut ? WindowTexts::tr("Sikertelen kiolvasás.\nNem lehet megnyitni a portot.")
                                      : WindowTexts::tr("Sikertelen ellenőrzés.\nNem lehet megnyitni a portot."));
        return std::nullopt;
    case transfer::Reception::Status::Cancelled:
        return std::nullopt;
    case transfer::Reception::Status::Received:
        break;
    }
    return reception;
}

} // namespace

TransferCommands::TransferCommands(FormUi &form, QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_form(form)
{
    setObjectName(QStringLiteral("transferCommands"));
}

// A line break in a field: a carriage return ends a line on the wire, so the
// module would get the field cut in two and one line too many; a line feed has
// no place in a field either.
QString TransferCommands::lineBreakText(int index) const
{
    const QString name = formschema::textFields().at(index).name;
    const QString label = formtexts::fieldLabel(index);
    return WindowTexts::tr("Sortörés nem használható a mezőkben.\nA hibás mező: %1.")
        .arg(label == name ? name : QStringLiteral("\"%1\" (%2)").arg(label, name));
}

std::optional<TransferCommands::Checked> TransferCommands::checkedForm(const LinkSettings &settings)
{
    if (!formchecks::finishEdit(m_window, m_form))
        return std::nullopt;
    const FormContent form = formbinding::capture(m_form);
    // Refused before the port is touched: nothing reaches the module. A line break
    // is named on its own, before the rules that would take a carriage return for
    // a separator.
    if (const int lineBreak = configfile::lineBreakText(form); lineBreak >= 0) {
        QMessageBox::critical(m_window, WindowTexts::tr("Betöltés hiba."), lineBreakText(lineBreak));
        return std::nullopt;
    }
    const auto result = transfer::buildTransferText(form, settings);
    if (!result.ok()) {
        QMessageBox::critical(m_window, WindowTexts::tr("Betöltés hiba."),
                              outcometexts::textFailure(result, settings.downloadSeparator));
        return std::nullopt;
    }
    return Checked{form, result.text};
}

void TransferCommands::download(const LinkSettings &settings)
{
    const std::optional<Checked> checked = checkedForm(settings);
    if (!checked)
        return;
    dload dialog(settings, checked->transferText, m_window);
    dialog.exec();
    if (dialog.succeeded())
        emit moduleHolds(checked->form);
}

void TransferCommands::safeDownload(const LinkSettings &settings)
{
    // The same checks as the download, in the same order, before any port opens.
    const std::optional<Checked> checked = checkedForm(settings);
    if (!checked)
        return;
    safedownload dialog(settings, checked->form, checked->transferText, safewrite::backupFolder(), m_window);
    dialog.exec();
    if (dialog.formAcknowledged())
        emit moduleHolds(checked->form);
}

void TransferCommands::restoreBackup(const LinkSettings &settings)
{
    const QString folder = safewrite::backupFolder();
    QDir().mkpath(folder);
    const QString path = QFileDialog::getOpenFileName(m_window, WindowTexts::tr("Visszatöltés mentésből"), folder,
                                                      WindowTexts::tr("K83 Files (*.k83)"));
    if (path.isEmpty())
        return;
    FormContent backup;
    if (configfile::load(path, backup) != configfile::LoadStatus::Loaded) {
        QMessageBox::critical(m_window, WindowTexts::tr("Hiba"),
                              WindowTexts::tr("A mentés nem olvasható: %1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const auto result = transfer::buildTransferText(backup, settings);
    if (!result.ok()) {
        QMessageBox::critical(m_window, WindowTexts::tr("Betöltés hiba."),
                              outcometexts::textFailure(result, settings.downloadSeparator));
        return;
    }
    // The form stays as it is: the module gets the backup, not the form.
    safedownload dialog(settings, path, backup, result.text, m_window);
    dialog.exec();
}

void TransferCommands::readOut(const LinkSettings &settings)
{
    SerialPort port;
    const std::optional<transfer::Reception> reception = askModule(m_window, port, settings, Reading::ReadOut);
    if (!reception)
        return;
    port.close();

    // Every check is made on the answer; the widgets change only after all passed.
    const answer::Reading reading = answer::read(answer::normalise(answer::rawText(reception->bytes)));
    if (!reading.ok()) {
        if (!reading.diagnostic.isEmpty())
            qDebug().noquote() << reading.diagnostic;
        QMessageBox::critical(m_window, WindowTexts::tr("Hiba"),
                              WindowTexts::tr("Sikertelen kiolvasás.\n"
                                              "Ellenőrizze az eszközt, és próbálja meg újra!"));
        return;
    }
    // Texts in enumeration order, then the boxes record by record, then the combo.
    formbinding::apply(m_form, reading.content, formschema::boxesByRecord());
    formchecks::showSmsCentre(m_form);
    // The form now shows what the module holds.
    emit moduleHolds(formbinding::capture(m_form));
}

void TransferCommands::verify(const LinkSettings &settings)
{
    if (!formchecks::finishEdit(m_window, m_form))
        return;
    const FormContent form = formbinding::capture(m_form);
    const transfer::TextResult expected = transfer::buildVerifyText(form, settings);
    if (!expected.ok()) {
        QMessageBox::critical(m_window, WindowTexts::tr("Hiba"),
                              WindowTexts::tr("Sikertelen ellenőrzés. (ascii error)"));
        return;
    }

    SerialPort port;
    const std::optional<transfer::Reception> reception = askModule(m_window, port, settings, Reading::Verify);
    if (!reception)
        return;

    // The port stays open while the result is shown. A mismatch says whether the
    // module answered at all, and which fields it holds otherwise.
    const transfer::VerifyJudgement judgement = transfer::judgeVerify(form, expected.text, reception->bytes);
    if (judgement.kind == transfer::VerifyJudgement::Kind::Match) {
        QMessageBox::information(m_window, WindowTexts::tr("Ellenőrzés"), WindowTexts::tr("Sikeres ellenőrzés."));
    } else {
        const QString why = reception->lineLost ? outcometexts::lineLost() : outcometexts::verifyFailure(judgement);
        QMessageBox box(QMessageBox::Critical, WindowTexts::tr("Ellenőrzés"),
                        WindowTexts::tr("Sikertelen ellenőrzés.\nTöltse be újra a konfigurációt!") + QLatin1Char('\n') + why,
                        QMessageBox::Ok, m_window);
        // Beside the first fields named above, every differing field with both values.
        if (const QString details = outcometexts::verifyDetails(judgement); !reception->lineLost && !details.isEmpty())
            box.setDetailedText(details);
        box.exec();
    }
    port.close();
}
