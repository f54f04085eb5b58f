// The read-out and verify commands: the module's stored configuration into the
// form, or compared with it. Both run their whole exchange on the GUI thread
// behind a window-modal progress dialog whose steps let Qt process events, which
// is what keeps "Megszakítás" working.
#include "mainwindow.h"
#include "mainwindowui.h"

#include "files/unsavedchanges.h"
#include "serial/serialport.h"
#include "transfer/answer.h"
#include "transfer/readoutexchange.h"
#include "transfer/transfertext.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDebug>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>

namespace {

// A fixed count of bytes: a whole answer is about this long.
constexpr int kProgressMaximum = 1570;
// Bytes waiting in the port are left to the reader, never to a notifier.
constexpr auto kEventFlags = QEventLoop::ExcludeSocketNotifiers;

// The progress dialog of one read request, stepped once per read.
class ReadProgress
{
public:
    ReadProgress(QWidget *parent, const QString &label)
        : m_dialog(label, QCoreApplication::translate("MainWindow", "Megszakítás"), 0, kProgressMaximum, parent)
    {
        m_dialog.setObjectName(QStringLiteral("readProgress"));
        m_dialog.setWindowModality(Qt::WindowModal);
    }

    readoutexchange::Reception receive(SerialPort &port, int firstCount)
    {
        // While the module pauses, the shown dialog still repaints and takes a
        // cancel; before it is shown nothing may reach the main window.
        port.setInterruptCheck([this] {
            if (m_dialog.isVisible())
                QCoreApplication::processEvents(kEventFlags);
            return m_dialog.wasCanceled();
        });
        auto reception = readoutexchange::receive(port, firstCount, [this](qsizetype) { return step(); });
        port.setInterruptCheck({});
        return reception;
    }

    // Reception has ended: the bar is full, and the dialog resets and hides.
    void finish() { m_dialog.setValue(kProgressMaximum); }

private:
    bool step()
    {
        if (m_dialog.wasCanceled())
            return false;
        const int next = m_dialog.value() + 1;
        if (next < kProgressMaximum) {
            m_dialog.setValue(next);
            return true;
        }
        // A module that sends more than a configuration: at the maximum the dialog
        // would reset, hide and forget a cancel, and it would not process events
        // again for seconds. So the bar waits just short of full, and the dialog
        // is shown and kept responsive here.
        if (!m_dialog.isVisible())
            m_dialog.show();
        QCoreApplication::processEvents(kEventFlags);
        return true;
    }

    QProgressDialog m_dialog;
};

// Sets the form from a reading that passed every check: texts in enumeration
// order, then the boxes record by record.
void applyReading(QWidget *centralWidget, const answer::Reading &reading)
{
    const auto edits = centralWidget->findChildren<QLineEdit *>();
    for (int i = 0; i < edits.size() && i < reading.content.texts.size(); ++i) {
        edits[i]->clear();
        edits[i]->setText(reading.content.texts[i].text);
    }
    const auto boxes = centralWidget->findChildren<QCheckBox *>();
    for (int k : reading.boxOrder)
        if (k < boxes.size())
            boxes[k]->setChecked(reading.content.boxes[k].checked);
}

enum class Asked { PortFailed, Cancelled, Answered };

// Opens the port, asks the module for its stored configuration and receives it
// behind the progress dialog. Only an answered request leaves the port open, so
// the caller decides when to close it.
Asked askModule(QWidget *parent, SerialPort &port, const LinkSettings &settings, const QString &label,
                QString *answerText)
{
    if (!readoutexchange::openPort(port, settings.port))
        return Asked::PortFailed;
    const int firstCount = readoutexchange::sendRequest(port, settings.uploadCommand);
    ReadProgress progress(parent, label);
    const auto reception = progress.receive(port, firstCount);
    if (reception.status == readoutexchange::Reception::Status::Cancelled) {
        port.close();
        return Asked::Cancelled;
    }
    progress.finish();
    *answerText = answer::normalise(answer::rawText(reception.bytes));
    return Asked::Answered;
}

} // namespace

void MainWindow::readup()
{
    SerialPort port;
    QString answerText;
    switch (askModule(this, port, m_settings, tr("Kiolvasás..."), &answerText)) {
    case Asked::PortFailed:
        QMessageBox::critical(this, tr("Hiba"), tr("Sikertelen kiolvasás.\nNem lehet megnyitni a portot."));
        return;
    case Asked::Cancelled:
        return;
    case Asked::Answered:
        port.close();
        break;
    }

    // Every check is made on the captured form; the widgets change only after all passed.
    const answer::Reading reading = answer::read(answerText, captureForm());
    if (!reading.ok()) {
        if (!reading.diagnostic.isEmpty())
            qDebug().noquote() << reading.diagnostic;
        QMessageBox::critical(this, tr("Hiba"),
                              tr("Sikertelen kiolvasás.\nEllenőrizze az eszközt, és próbálja meg újra!"));
        return;
    }
    applyReading(ui->centralWidget, reading);
    selectSmsCentre();
    // The form now shows what the module holds.
    m_unsaved->setSaved(captureForm());
}

void MainWindow::verify_func()
{
    const transfer::TextResult expected = transfer::buildVerifyText(captureForm(), m_settings);
    m_settings.transferText = expected.text;
    if (!expected.ok()) {
        QMessageBox::critical(this, tr("Hiba"), tr("Sikertelen ellenőrzés. (ascii error)"));
        return;
    }

    SerialPort port;
    QString answerText;
    switch (askModule(this, port, m_settings, tr("Ellenőrzés..."), &answerText)) {
    case Asked::PortFailed:
        QMessageBox::critical(this, tr("Hiba"), tr("Sikertelen ellenőrzés.\nNem lehet megnyitni a portot."));
        return;
    case Asked::Cancelled:
        return;
    case Asked::Answered:
        break;
    }

    // The port stays open while the result is shown.
    if (answerText == m_settings.transferText)
        QMessageBox::information(this, tr("Ellenőrzés"), tr("Sikeres ellenőrzés."));
    else
        QMessageBox::critical(this, tr("Ellenőrzés"), tr("Sikertelen ellenőrzés.\nTöltse be újra a konfigurációt!"));
    port.close();
}
