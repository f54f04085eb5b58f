#include "readprogress.h"

#include "core/serial/serialport.h"
#include "gui/windowtexts.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {

// Bytes waiting in the port are left to the reader, never to a notifier.
constexpr auto kEventFlags = QEventLoop::ExcludeSocketNotifiers;

} // namespace

ReadProgress::ReadProgress(QWidget *parent, const QString &label)
    : m_parent(parent)
    , m_label(label)
{
}

ReadProgress::~ReadProgress() = default;

transfer::Reception ReadProgress::run(SerialPort &port, const LinkSettings &settings)
{
    transfer::ReadoutHooks hooks;
    hooks.requestSent = [this, &port] { show(port); };
    hooks.step = [this](qsizetype) { return step(); };
    const transfer::Reception reception = transfer::runReadout(port, settings, hooks);
    port.setInterruptCheck({});
    // Reception has ended: the bar is full, and the dialog resets and hides.
    if (reception.status == transfer::Reception::Status::Received)
        m_dialog->setValue(transfer::ReadoutAnswerBytes);
    return reception;
}

void ReadProgress::show(SerialPort &port)
{
    m_dialog = std::make_unique<QProgressDialog>(m_label, WindowTexts::tr("Megszakítás"), 0,
                                                 transfer::ReadoutAnswerBytes, m_parent);
    m_dialog->setObjectName(QStringLiteral("readProgress"));
    m_dialog->setWindowModality(Qt::WindowModal);
    // While the module pauses, the shown dialog still repaints and takes a
    // cancel; before it is shown nothing may reach the main window.
    port.setInterruptCheck([this] {
        if (m_dialog->isVisible())
            QCoreApplication::processEvents(kEventFlags);
        return m_dialog->wasCanceled();
    });
}

bool ReadProgress::step()
{
    if (m_dialog->wasCanceled())
        return false;
    const int next = m_dialog->value() + 1;
    if (next < transfer::ReadoutAnswerBytes) {
        m_dialog->setValue(next);
        return true;
    }
    // A module that sends more than a configuration: at the maximum the dialog
    // would reset, hide and forget a cancel, and it would not process events
    // again for seconds. So the bar waits just short of full, and the dialog
    // is shown and kept responsive here.
    if (!m_dialog->isVisible())
        m_dialog->show();
    QCoreApplication::processEvents(kEventFlags);
    return true;
}
