#pragma once

// A main window wired through a real pseudo-terminal to the in-process module
// simulator; the modal windows its commands open are answered by a ModalDriver.

#include "gui/app/mainwindow.h"
#include "modaldriver.h"
#include "modulesimulator.h"
#include "ptypair.h"
#include "sampleforms.h"
#include "windowdocument.h"

#include "core/serial/serialport.h"
#include "core/transfer/downloadexchange.h"
#include "core/transfer/transfertext.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPort>

#include <functional>

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
        SerialPort port;
        return transfer::runDownload(port, settings, text.text, {}) == transfer::DownloadOutcome::Acknowledged;
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
