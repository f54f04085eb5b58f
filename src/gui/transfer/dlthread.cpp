#include "dlthread.h"

#include "core/serial/serialport.h"

#include <QElapsedTimer>

namespace {

constexpr int kMinStepMs = 4;

} // namespace

dlThread::dlThread(const LinkSettings &settings, const QString &transferText)
    : m_settings(settings)
    , m_transferText(transferText)
{
    // finished() comes from the exchange's thread; this runs on ours, after run().
    connect(this, &QThread::finished, this, [this] { emit ended(m_outcome.load(std::memory_order_acquire)); });
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
    int maximum = 0;
    QElapsedTimer sinceShown;
    hooks.setRange = [&](int max) {
        maximum = max;
        emit progressRange(max);
    };
    // On a real line a byte takes 8.3 ms and every step reaches the bar. A line that
    // goes faster (a pseudo-terminal) would flood the GUI thread with steps it cannot
    // show; there the bar gets one every few milliseconds, and always the full one.
    hooks.setValue = [&](int value) {
        if (sinceShown.isValid() && sinceShown.elapsed() < kMinStepMs && value < maximum)
            return;
        sinceShown.start();
        emit progressValue(value);
    };
    hooks.stopRequested = [this] { return isInterruptionRequested(); };
    m_outcome.store(transfer::runDownload(port, m_settings, m_transferText, hooks), std::memory_order_release);
}
