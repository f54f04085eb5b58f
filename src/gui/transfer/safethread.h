#pragma once

#include "core/formcontent.h"
#include "core/linksettings.h"
#include "core/safewrite/backupfile.h"
#include "core/transfer/downloadexchange.h"
#include "core/transfer/verifyanswer.h"

#include <QThread>

#include <optional>

// The safe download's worker: 1) reads the module and keeps what it holds as a
// backup file, 2) downloads the form, 3) reads the module back and judges it
// against the form. A step runs only after the one before it succeeded; without a
// backup the module is not written. It never touches a widget: progress leaves it
// as signals, and the owner reads the result once the thread has ended.
// Stop it with requestInterruption() and wait(): every wait is cut into short
// slices that look at the request, and the port is closed on the way out.
class safeThread : public QThread
{
    Q_OBJECT

public:
    enum Step { BackupStep, DownloadStep, ReadBackStep };

    struct Job
    {
        LinkSettings settings; // the port and the framing
        FormContent form;      // what is written, and what the read-back must show
        QString transferText;  // the form as the module takes it
        QString backupDir;     // empty: no backup is taken (steps 2 and 3 alone)
    };

    // How a read request ended, when it did not bring a whole answer.
    enum class Reading { Answered, PortFailed, LineLost, TooLong };

    struct Result
    {
        bool stopped = false;
        Reading backupReading = Reading::Answered;
        std::optional<safewrite::Backup> backup; // set once an answer was taken
        bool written = false;
        transfer::DownloadOutcome outcome = transfer::DownloadOutcome::Stopped;
        Reading readBackReading = Reading::Answered;
        std::optional<transfer::VerifyJudgement> judgement; // set once the read-back was judged
        QString expectedFailure;                            // the form cannot be judged: the field

        bool backupFailed() const { return !backup || !backup->ok(); }
        bool matches() const
        {
            return judgement && judgement->kind == transfer::VerifyJudgement::Kind::Match;
        }
    };

    explicit safeThread(const Job &job);
    ~safeThread() override;

    // Read only after the thread has ended (wait()).
    const Result &result() const { return m_result; }
    const Job &job() const { return m_job; }

signals:
    void stepStarted(int step);
    // The whole run's progress, 0..ProgressMaximum.
    void progressValue(int value);

public:
    static constexpr int ProgressMaximum = 1000;

protected:
    void run() override;

private:
    Reading readModule(QByteArray *bytes, int step);
    bool stop();
    void showProgress(int step, qint64 done, qint64 total);

    const Job m_job;
    const int m_firstStep;
    int m_shown = -1;
    Result m_result;
};
