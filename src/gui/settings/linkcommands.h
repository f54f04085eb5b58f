#pragma once

#include "core/linksettings.h"

#include <QObject>

#include <functional>

class QDialog;
class QWidget;

// The window's link settings and the commands that change them. It owns the one
// LinkSettings record; the window reads it, hands copies to the transfers, and
// shows it through the signals below. Each dialog is built anew at every opening,
// so a port list or a field never shows an earlier state, and its result is taken
// over only when it was accepted.
class LinkCommands : public QObject
{
    Q_OBJECT

public:
    // The dialogs open on `window`, which owns this object.
    explicit LinkCommands(QWidget *window);

    const LinkSettings &settings() const { return m_settings; }
    void setSettings(const LinkSettings &settings);

    void editPort();          // setcom; an accepted dialog also emits portChosen()
    void editFixedChar();     // setFix: a fixed character, or an empty field for the 8-bit sum
    void editAckChar();       // setAck
    void editSeparators();    // separators
    void editUploadCommand(); // setUC
    void toggleChecksum();    // the checksum on or off
    void chooseSum(Checksum::Kind kind);

signals:
    // The settings changed; they now are `settings`.
    void linkChanged(const LinkSettings &settings);
    // The port dialog was accepted with `port` (empty when no port was free),
    // whether or not it differs from the port before.
    void portChosen(const QString &port);

private:
    void change(const LinkSettings &settings);
    bool run(QDialog &dialog, const std::function<void(LinkSettings &)> &take);

    QWidget *m_window;
    LinkSettings m_settings;
};
