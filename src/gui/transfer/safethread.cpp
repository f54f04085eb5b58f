#include "safethread.h"

#include "core/serial/serialport.h"
#include "core/transfer/readoutexchange.h"
#include "core/transfer/transfertext.h"

#include <QDateTime>

#include <algorithm>

safeThread::safeThread(const Job &job)
    : m_job(job)
    , m_firstStep(job.backupDir.isEmpty() ? DownloadStep : BackupStep)
{
}

safeThread::~safeThread()
{
    // The owner waits before deleting; this only guards against a forgotten wait.
    requestInterruption();
    wait();
}

bool safeThread::stop()
{
    if (isInterruptionRequested())
        m_result.stopped = true;
    return m_result.stopped;
}

// The steps that run share the bar equally; a step reports its part of it.
void safeThread::showProgress(int step, qint64 done, qint64 total)
{
    const int steps = ReadBackStep + 1 - m_firstStep;
    const qint64 part = total > 0 ? std::clamp<qint64>(done * ProgressMaximum / total, 0, ProgressMaximum) : 0;
    const int value = int(((step - m_firstStep) * ProgressMaximum + part) / steps);
    // Only a change reaches the GUI thread: a fast line would flood it with steps.
    if (value != m_shown) {
        m_shown = value;
        emit progressValue(value);
    }
}

safeThread::Reading safeThread::readModule(QByteArray *bytes, int step)
{
    SerialPort port; // created, used and closed on this thread
    port.setInterruptCheck([this] { return isInterruptionRequested(); });
    transfer::ReadoutHooks hooks;
    hooks.step = [this, step](qsizetype received) {
        showProgress(step, qMin<qsizetype>(received, transfer::ReadoutAnswerBytes), transfer::ReadoutAnswerBytes);
        return received < transfer::MaxAnswerBytes && !isInterruptionRequested();
    };
    const transfer::Reception reception = transfer::runReadout(port, m_job.settings, hooks);
    port.close();
    if (reception.status == transfer::Reception::Status::PortFailure)
        return Reading::PortFailed;
    if (reception.status == transfer::Reception::Status::Cancelled)
        return Reading::TooLong;
    *bytes = reception.bytes;
    return reception.lineLost ? Reading::LineLost : Reading::Answered;
}

void safeThread::run()
{
    if (m_firstStep == BackupStep) {
        emit stepStarted(BackupStep);
        QByteArray bytes;
        m_result.backupReading = readModule(&bytes, BackupStep);
        if (stop() || m_result.backupReading != Reading::Answered)
            return;
        m_result.backup = safewrite::takeBackup(bytes, m_job.backupDir, m_job.settings.port,
                                                QDateTime::currentDateTimeUtc());
        if (!m_result.backup->ok())
            return;
    }

    emit stepStarted(DownloadStep);
    {
        SerialPort port;
        transfer::DownloadHooks hooks;
        int maximum = 0;
        hooks.setRange = [&maximum](int max) { maximum = max; };
        hooks.setValue = [&](int value) { showProgress(DownloadStep, value, maximum); };
        hooks.stopRequested = [this] { return isInterruptionRequested(); };
        m_result.outcome = transfer::runDownload(port, m_job.settings, m_job.transferText, hooks);
        m_result.written = true;
    }
    if (stop() || m_result.outcome != transfer::DownloadOutcome::Acknowledged)
        return;

    emit stepStarted(ReadBackStep);
    const transfer::TextResult expected = transfer::buildVerifyText(m_job.form, m_job.settings);
    if (!expected.ok()) {
        m_result.expectedFailure = expected.fieldName;
        return;
    }
    QByteArray bytes;
    m_result.readBackReading = readModule(&bytes, ReadBackStep);
    if (stop() || m_result.readBackReading == Reading::PortFailed || m_result.readBackReading == Reading::TooLong)
        return;
    m_result.judgement = transfer::judgeVerify(m_job.form, expected.text, bytes);
    showProgress(ReadBackStep, 1, 1);
}
