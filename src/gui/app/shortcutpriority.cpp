#include "shortcutpriority.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

ShortcutPriority::ShortcutPriority(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    setObjectName(QStringLiteral("shortcutPriority"));
    // The offer goes to whichever widget has the focus, also one created later, so
    // the filter sits on the application and looks only at this window's widgets.
    qApp->installEventFilter(this);
}

bool ShortcutPriority::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget == m_window || widget->window() != m_window)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    // Filtered without being accepted: the widget never sees the offer, its
    // parents decline it too, and the key goes on to the window's shortcuts.
    return isCommandKey(QKeySequence(key->keyCombination()));
}

bool ShortcutPriority::isCommandKey(const QKeySequence &key) const
{
    // A disabled or hidden action has no live shortcut; its key stays the field's.
    const auto actions = m_window->findChildren<QAction *>();
    for (const QAction *action : actions)
        if (action->isEnabled() && action->isVisible() && action->shortcuts().contains(key))
            return true;
    return false;
}
