#pragma once

#include "core/linksettings.h"

#include <QCoreApplication>

class QLabel;
class QMenu;
class QWidget;

// The window's link-settings commands: each dialog is built anew at every
// opening, so a port list or a field never shows an earlier state, and its
// result is taken over only when it was accepted.
class LinkCommands
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    LinkCommands(QWidget *window, LinkSettings &settings, QLabel *portLabel, QMenu *checksumMenu);

    void editPort();          // show_port(): setcom; rewrites the port label
    void editFixedChar();     // setFixChar(): setFix
    void editAckChar();       // setAckChar(): setAck
    void editSeparators();    // setSeparators(): separators
    void editUploadCommand(); // setUploadCommand(): setUC
    void toggleChecksum();    // setCheck(): checksum on or off, and the CHKS menu with it

    // The port label: two blanks before "Baud" at start, one after a port dialog.
    enum class PortLabel { AtStart, AfterDialog };
    static QString portLabelText(const LinkSettings &settings, PortLabel when);

private:
    QWidget *m_window;
    LinkSettings &m_settings;
    QLabel *m_portLabel;
    QMenu *m_checksumMenu;
};
