#pragma once

// Whether a window shows all it holds, as its user would judge it:
//   - no label, button, check box or menu entry whose text needs more room than
//     its widget has (by the font's metrics, word wrap included);
//   - no visible widget partly outside the part of its window the user can see
//     (the window, cut by the screen's available area, and by every parent on
//     the way). What lies in a scroll area's viewport scrolls into view, so it is
//     measured against the scrolled content instead.
// A widget placed wholly outside its parent on purpose (the form's reserved
// fields) is not shown at all, and is left out.
#include <QStringList>

class QMenuBar;
class QWidget;

namespace fitcheck {

// One line a problem: "help: QPushButton - \"Close\" text needs 40x15, has 38x12".
QStringList problems(const QWidget *window);
// The menu bar's titles and every entry of its menus.
QStringList menuProblems(const QMenuBar *bar);

} // namespace fitcheck
