#pragma once

// Watches whatever a transfer command opens, from a timer the test owns: the
// message boxes it shows (recorded and confirmed), the download dialog (its
// outcome recorded and confirmed, or Escape pressed), and the read-out's or the
// verify's progress dialog (cancelled when asked).

#include "dload.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

class OutcomeWatcher : public QObject
{
public:
    // Asked on every poll while the download dialog or a progress dialog is up;
    // true presses Escape on the one or "Megszakítás" on the other.
    using CancelWhen = std::function<bool(qint64 elapsedMs, int progressValue)>;

    explicit OutcomeWatcher(QWidget *window, CancelWhen cancelWhen = {})
        : m_window(window), m_cancelWhen(std::move(cancelWhen))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_clock.start();
        m_timer.start(5);
    }

    // Every outcome the user was shown: a box's title and text, or the download
    // dialog's final status text (title "Download").
    struct Shown
    {
        QString title;
        QString text;
    };
    QList<Shown> shown;
    bool cancelled = false;
    qint64 cancelledAtMs = -1;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            shown.append({box->windowTitle(), box->text()});
            box->button(QMessageBox::Ok)->click();
            return;
        }
        if (auto *dialog = qobject_cast<dload *>(modal)) {
            pollDownload(dialog);
            return;
        }
        auto *progress = m_window->findChild<QProgressDialog *>();
        if (progress && progress->isVisible() && !cancelled && wantsCancel(progress->value())) {
            markCancelled();
            progress->findChild<QPushButton *>()->click();
        }
    }

    void pollDownload(dload *dialog)
    {
        auto *status = dialog->findChild<QLabel *>(QStringLiteral("kiiras"));
        auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        if (status->text() != QString::fromUtf8("Betöltés...")) {
            shown.append({dialog->windowTitle(), status->text()});
            buttons->button(QDialogButtonBox::Ok)->click();
            return;
        }
        if (!cancelled && wantsCancel(-1)) {
            markCancelled();
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    }

    bool wantsCancel(int value) const { return m_cancelWhen && m_cancelWhen(m_clock.elapsed(), value); }
    void markCancelled()
    {
        cancelled = true;
        cancelledAtMs = m_clock.elapsed();
    }

    QWidget *m_window;
    CancelWhen m_cancelWhen;
    QTimer m_timer;
    QElapsedTimer m_clock;
};
