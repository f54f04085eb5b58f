#pragma once

#include "core/linksettings.h"
#include "core/transfer/downloadexchange.h"

#include <QThread>

// The download's worker: runs the exchange with the module on its own copy of the
// link settings and the transfer text. Progress and the outcome leave it only as
// signals, queued to the dialog; it never touches a widget and shares no state.
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
    // How the exchange ended; the last signal before finished().
    void ended(transfer::DownloadOutcome outcome);

protected:
    void run() override;

private:
    const LinkSettings m_settings;
    const QString m_transferText;
};
