#pragma once

// Drives the modal windows a command opens, as the user would answer them, and
// records what the user was shown. One driver serves every window test:
//   - message boxes and file dialogs, answered by scripted steps in order, or
//     (no step left) a box with OK and any other dialog rejected as unexpected;
//   - the download dialog: its outcome recorded and confirmed, Escape on request;
//   - the read-out's and the verify's window-modal progress dialog: its label,
//     maximum and cancel button watched, "Megszakítás" pressed on request.
// The driver is owned by the test: its timer and event filter end with it, so a
// window of the next test is never answered by this one.
#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

class QDialog;
class QProgressDialog;
class dload;

class ModalDriver : public QObject
{
    Q_OBJECT

public:
    // One window the user was shown.
    struct Shown
    {
        QString title;
        // A box's text, a file dialog's name filters, the download dialog's outcome.
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        qint64 atMs = -1; // since the driver was made
        QPointer<QWidget> window;
        QString line() const { return title + QLatin1Char('|') + text; }
    };

    // A transfer's dialog at one poll.
    struct Progress
    {
        bool download = false; // the download dialog, else a progress dialog
        qint64 ms = 0;         // since the driver was made
        int value = 0;
        int maximum = 0;
        QString label;         // the progress dialog's label, the download dialog's status
        QString cancelText;
        bool outcome = false;  // the download dialog shows its outcome
    };

    using Step = std::function<void(QWidget *window)>;

    explicit ModalDriver(int pollMs = 5);
    ~ModalDriver() override;

    // Scripted answers to the next windows (not a transfer's dialog), in order.
    // A step with `ready` waits, polled, until ready() holds.
    ModalDriver &then(Step step, std::function<bool()> ready = {});
    // A message box: press the button.
    ModalDriver &press(QMessageBox::StandardButton button = QMessageBox::Ok);
    // A file dialog: choose `path` and accept it (done() skips the question
    // whether to replace an existing file).
    ModalDriver &chooseFile(const QString &path, std::function<bool()> ready = {});
    // Any dialog: Cancel.
    ModalDriver &cancel();
    bool finished() const { return m_steps.isEmpty() && !m_waiting.step; }

    // For a step that misses a child it needs: the running test fails with `what`,
    // and the window is rejected, so no modal loop waits for an answer that never comes.
    static void abandon(QWidget *window, const char *what);

    // Runs while a recorded window is still open, before it is answered.
    std::function<void(const Shown &)> whileOpen;
    // Asked on every poll while a transfer's dialog is up: true presses Escape on
    // the download dialog, or the progress dialog's cancel button.
    std::function<bool(const Progress &)> cancelWhen;
    // Confirm the download's outcome with OK; else the dialog is left to the user
    // (a success closes itself after two seconds).
    bool confirmOutcome = true;

    QList<Shown> shown;
    QStringList seen() const;
    QStringList unexpected; // "class|title" of windows nothing was scripted for
    Progress progress;      // the transfer's dialog at the last poll
    bool cancelled = false;
    qint64 cancelledAtMs = -1;
    // The longest gap between two polls while a progress dialog was shown: how
    // long the dialog went without handling events.
    qint64 longestPauseMs = 0;
    qint64 elapsedMs() const { return m_clock.elapsed(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Waiting
    {
        QPointer<QWidget> window;
        Step step;
        std::function<bool()> ready;
    };

    void opened(QWidget *window);
    void answer(QPointer<QWidget> window);
    void answerByDefault(QWidget *window);
    void rejectUnexpected(QWidget *window);
    void poll();
    void pollDownload(dload *dialog);
    void pollProgress(QProgressDialog *dialog);
    bool wantsCancel();

    QList<Waiting> m_steps;
    Waiting m_waiting;
    QList<QPointer<QWidget>> m_seen;
    QPointer<QProgressDialog> m_progressDialog;
    QPointer<QDialog> m_outcomeShown;
    QTimer m_timer;
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceLastPoll;
};
