#include "dlthread.h"

#include "serial/serialport.h"

dlThread::dlThread(const LinkSettings &settings)
    : m_settings(settings)
{
}

dlThread::~dlThread()
{
    // The owner waits before deleting; this only guards against a forgotten wait.
    requestInterruption();
    wait();
}

void dlThread::run()
{
    SerialPort port; // created, used and closed on this thread
    transfer::DownloadHooks hooks;
    hooks.setRange = [this](int maximum) { emit progressRange(maximum); };
    hooks.setValue = [this](int value) { emit progressValue(value); };
    hooks.stopRequested = [this] { return isInterruptionRequested(); };
    m_outcome = transfer::runDownload(port, m_settings, hooks);
    m_success = m_outcome == transfer::DownloadOutcome::Acknowledged;
}
