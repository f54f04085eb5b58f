#pragma once

// A main window wired through a real pseudo-terminal to the in-process module
// simulator, and a watcher that answers the modal windows a command opens.

#include "mainwindow.h"
#include "modulesimulator.h"
#include "ptypair.h"
#include "sampleforms.h"

#include "serial/serialport.h"
#include "transfer/downloadexchange.h"
#include "transfer/transfertext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSerialPort>
#include <QTimer>

#include <functional>
#include <memory>

// How many descriptors of this process are open on the device: the port is
// held exactly while the count is above what it was before the command.
inline int openHandles(const QString &devicePath)
{
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
        // A pty whose master has gone is shown as deleted.
        const QString target = fd.symLinkTarget();
        count += target == devicePath || target == devicePath + QStringLiteral(" (deleted)");
    }
    return count;
}

// What the user saw of one message box.
struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool portHeld = false; // the command still held the port while the box was up
};

// Polls for the command's modal windows from a timer the test owns: records and
// confirms every message box, and cancels the progress dialog when asked to.
class ModalWatcher : public QObject
{
public:
    using CancelWhen = std::function<bool(QProgressDialog *)>;

    ModalWatcher(QWidget *window, const QString &portPath, CancelWhen cancelWhen = {})
        : m_window(window), m_portPath(portPath), m_handlesBefore(openHandles(portPath)),
          m_cancelWhen(std::move(cancelWhen))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(10);
    }

    QList<SeenBox> boxes;
    QString progressLabel;     // the label of the progress dialog, once it was seen
    QString cancelText;
    int progressMaximum = -1;
    bool cancelled = false;
    qint64 longestPauseMs = 0; // the longest gap between two polls while the dialog was shown

private:
    void poll()
    {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            SeenBox seen{box->windowTitle(), box->text(), box->icon(), portHeld()};
            boxes.append(seen);
            box->button(QMessageBox::Ok)->click();
            return;
        }
        auto *dialog = m_window->findChild<QProgressDialog *>();
        if (!dialog || !dialog->isVisible()) {
            m_sinceLastPoll.invalidate();
            return;
        }
        if (m_sinceLastPoll.isValid())
            longestPauseMs = qMax(longestPauseMs, m_sinceLastPoll.elapsed());
        m_sinceLastPoll.start();
        progressLabel = dialog->labelText();
        progressMaximum = dialog->maximum();
        auto *cancel = dialog->findChild<QPushButton *>();
        cancelText = cancel ? cancel->text() : QString();
        if (cancel && !cancelled && m_cancelWhen && m_cancelWhen(dialog)) {
            cancelled = true;
            cancel->click();
        }
    }

    bool portHeld() const { return openHandles(m_portPath) > m_handlesBefore; }

    QWidget *m_window;
    QString m_portPath;
    int m_handlesBefore;
    CancelWhen m_cancelWhen;
    QTimer m_timer;
    QElapsedTimer m_sinceLastPoll;
};

// One pty, the simulator on its master, the window's port on its slave.
struct SimLink
{
    PtyPair pty;
    ModuleSimulator sim;
    MainWindow window;

    SimLink()
    {
        sim.setPaced(false);
        sim.start(pty.takeMaster(), true); // so that a hang-up really closes the line
        LinkSettings settings = window.linkSettings();
        settings.port = pty.slavePath();
        window.setLinkSettings(settings);
    }
    ~SimLink() { sim.stop(); }

    void setBehaviour(SimBehaviour::Fault fault, const std::function<void(SimBehaviour &)> &tune = {})
    {
        SimBehaviour b;
        b.fault = fault;
        if (tune)
            tune(b);
        sim.setBehaviour(b);
    }

    // Downloads a form into the simulator the way the download command does.
    bool download(const FormContent &form)
    {
        LinkSettings settings = window.linkSettings();
        const auto text = transfer::buildTransferText(form, settings);
        if (!text.ok())
            return false;
        settings.transferText = text.text;
        SerialPort port;
        return transfer::runDownload(port, settings, {}) == transfer::DownloadOutcome::Acknowledged;
    }

    // Reads what the module still sends after the program let go of the line, so
    // that the simulator never blocks on a full pty.
    void drain()
    {
        QSerialPort reader(pty.slavePath());
        if (!reader.open(QIODevice::ReadWrite))
            return;
        while (!sim.waitForExchanges(1, 0) && reader.waitForReadyRead(2000))
            reader.readAll();
    }

    // Nothing but the pty pair itself holds the line.
    bool portFree() const { return openHandles(pty.slavePath()) == 1; }
};
