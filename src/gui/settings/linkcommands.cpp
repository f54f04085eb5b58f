#include "linkcommands.h"

#include "chardialogs.h"
#include "separators.h"
#include "setcom.h"

LinkCommands::LinkCommands(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    setObjectName(QStringLiteral("linkCommands"));
}

void LinkCommands::setSettings(const LinkSettings &settings)
{
    change(settings);
}

void LinkCommands::change(const LinkSettings &settings)
{
    if (settings == m_settings)
        return;
    m_settings = settings;
    emit linkChanged(m_settings);
}

// Runs a settings dialog; when it was accepted, `take` copies its result over.
bool LinkCommands::run(QDialog &dialog, const std::function<void(LinkSettings &)> &take)
{
    if (dialog.exec() == QDialog::Rejected)
        return false;
    LinkSettings next = m_settings;
    take(next);
    change(next);
    return true;
}

void LinkCommands::editPort()
{
    setcom dialog(m_settings.port, m_window);
    if (run(dialog, [&dialog](LinkSettings &s) { s.port = dialog.port(); }))
        emit portChosen(m_settings.port);
}

void LinkCommands::editFixedChar()
{
    setFix dialog(m_window);
    // An empty field gives 0, which reads as the 8-bit sum.
    run(dialog, [&dialog](LinkSettings &s) { s.checkSize = Checksum::fromByte(dialog.character()); });
}

void LinkCommands::editAckChar()
{
    setAck dialog(m_window, m_settings.ackChar);
    run(dialog, [&dialog](LinkSettings &s) { s.ackChar = dialog.character(); });
}

void LinkCommands::editSeparators()
{
    separators dialog(m_window, m_settings.downloadSeparator, m_settings.uploadSeparator);
    run(dialog, [&dialog](LinkSettings &s) {
        s.downloadSeparator = dialog.downloadSeparator();
        s.uploadSeparator = dialog.uploadSeparator();
    });
}

void LinkCommands::editUploadCommand()
{
    setUC dialog(m_window, m_settings.uploadCommand);
    run(dialog, [&dialog](LinkSettings &s) { s.uploadCommand = dialog.character(); });
}

void LinkCommands::toggleChecksum()
{
    LinkSettings next = m_settings;
    next.checkValue = !next.checkValue;
    change(next);
}

void LinkCommands::chooseSum(Checksum::Kind kind)
{
    LinkSettings next = m_settings;
    next.checkSize = {kind};
    change(next);
}
