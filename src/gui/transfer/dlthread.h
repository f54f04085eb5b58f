#pragma once

#include "core/linksettings.h"
#include "core/transfer/downloadexchange.h"

#include <QThread>

#include <atomic>

// The download's worker: runs the exchange with the module on its own copy of the
// link settings and the transfer text. Progress and the outcome leave it only as
// signals that reach the dialog on its own thread; it never touches a widget.
// Stop it with requestInterruption() and wait(): every wait inside is cut into short
// slices that look at the request, and the port is closed on the way out.
class dlThread : public QThread
{
    Q_OBJECT

public:
    dlThread(const LinkSettings &settings, const QString &transferText);
    ~dlThread() override;

signals:
    // The bar's new range 0..maximum, shown empty.
    void progressRange(int maximum);
    void progressValue(int value);
    // How the exchange ended. Emitted once the exchange has finished, on the thread
    // this object lives in (the dialog's), when finished() has reached it.
    void ended(transfer::DownloadOutcome outcome);

protected:
    void run() override;

private:
    const LinkSettings m_settings;
    const QString m_transferText;
    // Written by run() alone, read once run() has returned. The exchange's thread
    // hands it over through this atomic rather than as a queued argument: Qt's
    // event queue orders the two with a futex that ThreadSanitizer cannot see.
    std::atomic<transfer::DownloadOutcome> m_outcome{transfer::DownloadOutcome::Stopped};
};
