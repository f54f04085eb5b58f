#pragma once

// A window as its user meets it, one readable line a widget, in child order (the
// order in which the form enumerates its fields): class, object name, the geometry
// the program sets, texts, shortcuts, explicit states, fonts, palette colours and
// properties that were set, and the menus with their entries and separators. Left
// out is what a faithful rebuild of the same window may change, and what the
// style or the Qt version decides: layouts and where they place a widget, the
// style's colours, pointers, and the helpers Qt creates inside a widget (a menu
// bar's extension button, a status bar's size grip, a text view's scroll bars).
#include <QObject>
#include <QStringList>

class MainWindow;
class QWidget;

namespace widgetdump {

QStringList dump(const QWidget *window);

// Dumps every dialog the moment it shows (installed on the application): its
// layout is in place, and nothing a worker sends it has arrived yet.
class DialogDumper : public QObject
{
public:
    QStringList lines;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Opens every settings dialog of the window and closes it again with Cancel;
// false when one was not opened or not cancelled.
bool openSettingsDialogs(MainWindow &window);

} // namespace widgetdump
