#pragma once

// A window as its user meets it, one readable line a widget, in child order (the
// order in which the form enumerates its fields): class, object name, geometry,
// texts, shortcuts, explicit states, fonts, palette colours and properties that
// were set, and the menus with their entries and separators. Left out is what a
// faithful rebuild of the same window may change: layouts, pointers, and the
// helpers Qt creates inside a widget (a menu bar's extension button, a combo
// box's popup, a text view's scroll bars).
#include <QStringList>

class QWidget;

namespace widgetdump {

QStringList dump(const QWidget *window);

} // namespace widgetdump
