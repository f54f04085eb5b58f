#pragma once

#include "core/linksettings.h"
#include "core/transfer/readoutexchange.h"

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;
class SerialPort;

// The read request of the read-out and the verify behind a window-modal progress
// dialog, stepped once per read. The dialog appears once the request went out;
// its steps let Qt process events, which is what keeps "Megszakítás" working.
class ReadProgress
{
public:
    ReadProgress(QWidget *parent, const QString &label);
    ~ReadProgress();

    // transfer::runReadout behind the dialog. After a reception the bar is full
    // (the dialog resets and hides) and the port is still open.
    transfer::Reception run(SerialPort &port, const LinkSettings &settings);

private:
    void show(SerialPort &port);
    bool step();

    QWidget *m_parent;
    QString m_label;
    std::unique_ptr<QProgressDialog> m_dialog;
};
