#pragma once

#include <QSize>

class QLabel;
class QMainWindow;
class QWidget;

// Windows that show all they hold, whatever the platform's fonts, styles and
// scaling make of the menu bar, the status bar and the texts.
namespace windowfit {

// The main window's size: the whole `form` between the menu bar and the status
// bar, as tall as they are here.
QSize aroundForm(QMainWindow &window, QSize form);

// Keeps `window` within its screen's available area. Where the area is smaller
// than the window, the window takes the area's size and its content scrolls
// inside it (a main window's central widget; a dialog's children, laid out by
// hand); where it fits, nothing changes. Looks again each time the window is
// shown, moves to another screen, or learns the size of its frame.
void keepOnScreen(QWidget *window);

// A label of a dialog laid out by hand grows to what its text needs, wider up to
// `maxWidth`, then taller; the dialog grows with it, and what lies below the label
// moves down (and right, where it stands at the label's right edge).
void growLabel(QLabel *label, int maxWidth);
// The same for a child of such a dialog that holds a layout of its own: it grows
// to the least size its layout can take.
void growToLayout(QWidget *holder);

} // namespace windowfit
