#pragma once

#include <QObject>

class QWidget;

// Gives the window's commands their shortcuts whatever widget has the focus.
// Before a key reaches a shortcut, Qt offers it to the focused widget, and on
// Linux a text field claims some Ctrl keys as its own editing keys (Ctrl+E moves
// to the end of the line, for instance), so the command's shortcut never fires.
// A key that an enabled, visible action of the window has as its shortcut is not
// offered to the field; every other key, the editing keys among them, still is.
class ShortcutPriority : public QObject
{
    Q_OBJECT

public:
    // Watches the widgets of `window` for as long as this object lives.
    explicit ShortcutPriority(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isCommandKey(const QKeySequence &key) const;

    QWidget *m_window;
};
