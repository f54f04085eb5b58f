#pragma once

#include "core/linksettings.h"
#include "core/transfer/downloadexchange.h"

#include <QDialog>

#include <atomic>
#include <memory>

class dlThread;
namespace Ui {
class dload;
}

// The download's progress dialog (dload.ui). Its worker starts in the constructor, so the
// exchange begins while the dialog opens; the worker's outcome, a signal of its own,
// replaces Cancel with OK.
// Close requests are ignored; Escape rejects. Destroying the dialog stops the
// worker and waits for it, so the port is closed before the dialog is gone.
class dload : public QDialog
{
    Q_OBJECT

public:
    // Sends `transferText` over the link of `settings`.
    dload(const LinkSettings &settings, const QString &transferText, QWidget *parent);
    ~dload() override;

    const dlThread *worker() const { return m_worker.get(); }
    // True once the dialog has shown the module's acknowledge.
    bool succeeded() const { return m_shownSuccess; }

public slots:
    // Shows how the exchange ended.
    void dlcomplete(transfer::DownloadOutcome outcome);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<dlThread> m_worker;
    QString m_port; // named when it could not be opened
    // Set on the worker once finished() has been emitted (see the constructor).
    std::atomic<bool> m_finishEmitted{false};
    bool m_shownSuccess = false;
    std::unique_ptr<Ui::dload> m_ui;
};
