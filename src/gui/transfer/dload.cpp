#include "dload.h"
#include "ui_dload.h"

#include "dlthread.h"
#include "outcometexts.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kSuccessCloseMs = 2000;

} // namespace

dload::dload(const LinkSettings &settings, const QString &transferText, QWidget *parent)
    : QDialog(parent)
    , m_worker(std::make_unique<dlThread>(settings, transferText))
    , m_port(settings.port)
    , m_ui(std::make_unique<Ui::dload>())
{
    m_ui->setupUi(this);
    // The worker's signals arrive queued: the bar is only touched on this thread.
    connect(m_worker.get(), &dlThread::progressRange, m_ui->progressBar, [this](int maximum) {
        m_ui->progressBar->setRange(0, maximum);
        m_ui->progressBar->reset();
    });
    connect(m_worker.get(), &dlThread::progressValue, m_ui->progressBar, &QProgressBar::setValue);
    connect(m_worker.get(), &dlThread::ended, this, &dload::dlcomplete);
    // Emitting finished() still reads the worker object on its own thread, and
    // QThread::wait() orders that before the delete below through a futex that
    // ThreadSanitizer cannot see. This flag, set as finished() is emitted, states
    // the same order in a form it checks.
    connect(m_worker.get(), &QThread::finished, m_worker.get(),
            [this] { m_finishEmitted.store(true, std::memory_order_release); }, Qt::DirectConnection);
    m_worker->start(QThread::InheritPriority);
}

dload::~dload()
{
    // Rejected early (Escape): stop the exchange; it closes the port on its way out.
    m_worker->requestInterruption();
    m_worker->wait();
    (void)m_finishEmitted.load(std::memory_order_acquire);
}

void dload::dlcomplete(transfer::DownloadOutcome outcome)
{
    if (outcome == transfer::DownloadOutcome::Acknowledged) {
        m_shownSuccess = true;
        m_ui->kiiras->setText(tr("Sikeres betöltés."));
        auto *timer = new QTimer(this);
        timer->setObjectName("closeTimer");
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, &QDialog::accept);
        timer->start(kSuccessCloseMs);
    } else {
        // The system's text, then one line that says why.
        const QString why = outcometexts::downloadFailure(outcome, m_port);
        const QString failed = tr("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a portbeállításokat.");
        m_ui->kiiras->setText(why.isEmpty() ? failed : failed + QLatin1Char('\n') + why);
    }
    m_ui->buttonBox->setStandardButtons(QDialogButtonBox::Ok);
    m_ui->buttonBox->setEnabled(true);
    // Return closes the outcome as it closes every box; Escape still rejects.
    QPushButton *ok = m_ui->buttonBox->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    ok->setFocus(Qt::OtherFocusReason);
}

void dload::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void dload::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
}
