#pragma once

#include "safethread.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;
namespace Ui {
class safedownload;
}

// The safe download's dialog (safedownload.ui): three steps, each with its state,
// one bar over the whole run, and an outcome that names the backup, the module's
// acknowledge and the read-back's verdict. Its worker starts in the constructor.
// Without a backup nothing is written unless the person chooses "Betöltés mentés
// nélkül"; after a failed download or read-back "Visszatöltés a mentésből" writes
// the backup back and reads it again. The default button, "Bezárás", only closes.
// Escape and Cancel stop the worker and wait for it, so the port is closed before
// the dialog is gone.
class safedownload : public QDialog
{
    Q_OBJECT

public:
    // A safe download of `form` (steps 1 to 3), backed up into `backupDir`.
    safedownload(const LinkSettings &settings, const FormContent &form, const QString &transferText,
                 const QString &backupDir, QWidget *parent);
    // The backup file `backupPath` written back (steps 2 and 3).
    safedownload(const LinkSettings &settings, const QString &backupPath, const FormContent &backup,
                 const QString &transferText, QWidget *parent);
    ~safedownload() override;

    // True once the module acknowledged the form handed to the first constructor
    // and no restore of the backup followed.
    bool formAcknowledged() const { return m_formAcknowledged; }

public slots:
    void reject() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    explicit safedownload(QWidget *parent);
    void start(const safeThread::Job &job);
    void stopWorker();
    void showStep(int step);
    void finish();
    void setState(int step, const QString &text);
    QString backupLine(const safeThread::Result &result) const;
    QString downloadLine(const safeThread::Result &result) const;
    QString readBackLine(const safeThread::Result &result) const;
    // The outcome's buttons: the offer (if any) and "Bezárás", the default.
    void offer(const QString &text, void (safedownload::*action)());
    void writeWithoutBackup();
    void restoreBackup();

    std::unique_ptr<Ui::safedownload> m_ui;
    std::unique_ptr<safeThread> m_worker;
    safeThread::Job m_job;     // the form's job, kept for a write without backup
    QString m_backupPath;      // the backup taken or chosen; restores write it
    bool m_restoring = false;  // the worker writes the backup back
    bool m_formAcknowledged = false;
};
