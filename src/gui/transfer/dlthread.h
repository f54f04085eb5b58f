#pragma once

#include "core/linksettings.h"
#include "core/transfer/downloadexchange.h"

#include <QThread>

#include <atomic>

// The download's worker: runs the exchange with the module on its own copy of the
// link settings and the transfer text. Progress leaves it only as queued signals; it never touches a widget.
// Stop it with requestInterruption() and wait(): every wait inside is cut into short
// slices that look at the request, and the port is closed on the way out.
class dlThread : public QThread
{
    Q_OBJECT

public:
    dlThread(const LinkSettings &settings, const QString &transferText);
    ~dlThread() override;

    // Valid once finished() was delivered.
    bool succeeded() const { return m_success; }
    transfer::DownloadOutcome outcome() const { return m_outcome; }

signals:
    // The bar's new range 0..maximum, shown empty.
    void progressRange(int maximum);
    void progressValue(int value);

protected:
    void run() override;

private:
    std::atomic<bool> m_success{false};
    std::atomic<transfer::DownloadOutcome> m_outcome{transfer::DownloadOutcome::Stopped};
    const LinkSettings m_settings;
    const QString m_transferText;
};
