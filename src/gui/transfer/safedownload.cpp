#include "safedownload.h"
#include "ui_safedownload.h"

#include "outcometexts.h"

#include "core/files/configfile.h"
#include "core/formtexts.h"
#include "core/transfer/transfertext.h"
#include "gui/windowtexts.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QProgressBar>
#include <QPushButton>

namespace {

QString tr(const char *text)
{
    return WindowTexts::tr(text);
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString readingFailure(safeThread::Reading reading, const QString &port)
{
    switch (reading) {
    case safeThread::Reading::PortFailed: return outcometexts::portFailure(port);
    case safeThread::Reading::LineLost: return outcometexts::lineLost();
    case safeThread::Reading::TooLong: return tr("A modul válasza túl hosszú, nem konfiguráció.");
    case safeThread::Reading::Answered: break;
    }
    return QString();
}

// Why no backup was taken from an answer, or could not be kept.
QString backupFailure(const safewrite::Backup &backup)
{
    using Status = safewrite::AnswerConfig::Status;
    switch (backup.config.status) {
    case Status::NoAnswer: return tr("A modul nem válaszolt.");
    case Status::Unreadable: return tr("A modul válasza nem értelmezhető.");
    case Status::EndMarker:
        return tr("A modul \"%1\" mezője \"---\", amely a mentett fájlt idő előtt lezárná.")
            .arg(formtexts::fieldLabel(backup.config.markerField));
    case Status::Read: break;
    }
    if (backup.saved == safewrite::SaveStatus::NotWritten)
        return tr("A mentés nem írható: %1 (%2).").arg(native(backup.path), backup.error);
    return tr("A mentés nem olvasható vissza változatlanul: %1.").arg(native(backup.path));
}

} // namespace

safedownload::safedownload(QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::safedownload>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &safedownload::reject);
}

safedownload::safedownload(const LinkSettings &settings, const FormContent &form, const QString &transferText,
                           const QString &backupDir, QWidget *parent)
    : safedownload(parent)
{
    m_job = {settings, form, transferText, backupDir};
    start(m_job);
}

safedownload::safedownload(const LinkSettings &settings, const QString &backupPath, const FormContent &backup,
                           const QString &transferText, QWidget *parent)
    : safedownload(parent)
{
    m_restoring = true;
    m_backupPath = backupPath;
    setWindowTitle(tr("Visszatöltés mentésből"));
    setState(safeThread::BackupStep, tr("mentésből"));
    m_job = {settings, backup, transferText, QString()};
    start(m_job);
}

safedownload::~safedownload()
{
    stopWorker();
}

void safedownload::stopWorker()
{
    if (!m_worker)
        return;
    // Every wait of the worker is sliced: it ends at once and closes the port.
    m_worker->requestInterruption();
    m_worker->wait();
}

void safedownload::reject()
{
    stopWorker();
    QDialog::reject();
}

void safedownload::start(const safeThread::Job &job)
{
    stopWorker();
    m_worker = std::make_unique<safeThread>(job);
    // The worker's signals arrive queued: the widgets are only touched on this thread.
    connect(m_worker.get(), &safeThread::stepStarted, this, &safedownload::showStep);
    connect(m_worker.get(), &safeThread::progressValue, m_ui->progressBar, &QProgressBar::setValue);
    connect(m_worker.get(), &QThread::finished, this, &safedownload::finish);
    for (int step = job.backupDir.isEmpty() ? safeThread::DownloadStep : safeThread::BackupStep;
         step <= safeThread::ReadBackStep; ++step)
        setState(step, tr("vár"));
    m_ui->progressBar->setRange(0, safeThread::ProgressMaximum);
    m_ui->progressBar->setValue(0);
    m_ui->kiiras->setText(m_restoring ? tr("A mentés visszatöltése...") : tr("Biztonságos betöltés..."));
    m_ui->buttonBox->clear();
    m_ui->buttonBox->setStandardButtons(QDialogButtonBox::Cancel);
    m_worker->start(QThread::InheritPriority);
}

void safedownload::setState(int step, const QString &text)
{
    QLabel *const states[] = {m_ui->state1, m_ui->state2, m_ui->state3};
    states[step]->setText(text);
}

void safedownload::showStep(int step)
{
    if (step > safeThread::BackupStep && !(step == safeThread::DownloadStep && m_worker->job().backupDir.isEmpty()))
        setState(step - 1, tr("kész"));
    setState(step, tr("folyamatban..."));
}

QString safedownload::backupLine(const safeThread::Result &result) const
{
    if (m_restoring)
        return tr("Visszatöltött mentés: %1").arg(native(m_backupPath));
    if (!m_backupPath.isEmpty())
        return tr("Mentés: %1").arg(native(m_backupPath));
    const QString why = result.backup ? backupFailure(*result.backup)
                                      : readingFailure(result.backupReading, m_job.settings.port);
    return tr("Nem készült mentés: %1").arg(why);
}

QString safedownload::downloadLine(const safeThread::Result &result) const
{
    if (!result.written)
        return tr("A modul nem lett írva.");
    if (result.outcome == transfer::DownloadOutcome::Acknowledged)
        return tr("A modul nyugtázta a betöltést.");
    const QString why = outcometexts::downloadFailure(result.outcome, m_job.settings.port);
    return tr("A modul nem nyugtázta a betöltést.") + (why.isEmpty() ? QString() : QLatin1Char(' ') + why);
}

QString safedownload::readBackLine(const safeThread::Result &result) const
{
    if (result.matches())
        return tr("A visszaolvasott konfiguráció egyezik.");
    QString why;
    if (!result.expectedFailure.isEmpty())
        why = tr("A(z) %1 mező olyan karaktert tartalmaz, amelyet a modul nem fogad.")
                  .arg(formtexts::fieldLabel(result.expectedFailure));
    else if (result.readBackReading != safeThread::Reading::Answered)
        why = readingFailure(result.readBackReading, m_job.settings.port);
    else if (result.judgement)
        why = outcometexts::verifyFailure(*result.judgement);
    else
        return tr("Visszaolvasás nem történt.");
    return tr("A visszaolvasott konfiguráció nem egyezik.") + QLatin1Char(' ') + why;
}

void safedownload::finish()
{
    m_worker->wait();
    const safeThread::Result &result = m_worker->result();
    if (result.stopped)
        return;
    const bool tookBackup = !m_worker->job().backupDir.isEmpty();
    if (tookBackup) {
        if (!result.backupFailed())
            m_backupPath = result.backup->path;
        setState(safeThread::BackupStep, result.backupFailed() ? tr("sikertelen") : tr("kész"));
    }
    const bool acknowledged = result.written && result.outcome == transfer::DownloadOutcome::Acknowledged;
    setState(safeThread::DownloadStep, !result.written ? tr("kihagyva") : acknowledged ? tr("kész") : tr("sikertelen"));
    setState(safeThread::ReadBackStep, result.matches() ? tr("egyezik")
                                       : !acknowledged  ? tr("kihagyva")
                                                        : tr("nem egyezik"));
    if (!m_restoring && acknowledged)
        m_formAcknowledged = true;
    // The run is over, whatever its verdict: the bar shows it whole.
    m_ui->progressBar->setValue(m_ui->progressBar->maximum());

    QString headline;
    if (!result.written)
        headline = tr("Nem készült mentés, ezért a modul nem lett írva.");
    else if (!acknowledged)
        headline = tr("Betöltés hiba.");
    else if (!result.matches())
        headline = tr("Sikertelen ellenőrzés.");
    else
        headline = m_restoring ? tr("Sikeres visszatöltés.") : tr("Sikeres biztonságos betöltés.");
    QStringList lines{headline, backupLine(result), downloadLine(result)};
    if (result.written)
        lines << readBackLine(result);
    m_ui->kiiras->setText(lines.join(QLatin1Char('\n')));

    if (!result.written && !m_restoring)
        offer(tr("Betöltés mentés nélkül"), &safedownload::writeWithoutBackup);
    else if (result.written && !result.matches() && !m_backupPath.isEmpty())
        offer(tr("Visszatöltés a mentésből"), &safedownload::restoreBackup);
    else
        offer(QString(), nullptr);
}

void safedownload::offer(const QString &text, void (safedownload::*action)())
{
    m_ui->buttonBox->clear();
    if (action) {
        QPushButton *button = m_ui->buttonBox->addButton(text, QDialogButtonBox::ActionRole);
        button->setObjectName(QStringLiteral("offerButton"));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, action);
    }
    QPushButton *close = m_ui->buttonBox->addButton(tr("Bezárás"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);
    close->setFocus(Qt::OtherFocusReason);
}

void safedownload::writeWithoutBackup()
{
    safeThread::Job job = m_job;
    job.backupDir.clear();
    start(job);
}

void safedownload::restoreBackup()
{
    FormContent backup;
    const bool loaded = configfile::load(m_backupPath, backup) == configfile::LoadStatus::Loaded;
    const transfer::TextResult text = transfer::buildTransferText(backup, m_job.settings);
    if (!loaded || !text.ok()) {
        m_ui->kiiras->setText(loaded ? outcometexts::textFailure(text, m_job.settings.downloadSeparator)
                                     : tr("A mentés nem olvasható: %1").arg(native(m_backupPath)));
        offer(QString(), nullptr);
        return;
    }
    // From here on the module holds the backup, or nothing sure, but not the form.
    m_formAcknowledged = false;
    m_restoring = true;
    setWindowTitle(tr("Visszatöltés mentésből"));
    m_job = {m_job.settings, backup, text.text, QString()};
    start(m_job);
}

void safedownload::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
}
