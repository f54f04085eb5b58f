#pragma once

#include <QSize>

class QAbstractScrollArea;
class QWidget;

namespace windowfit {

// What layouts cannot do: fixes `window` at `whole`, the size that shows all it
// holds; where its screen's available area is smaller, at that area, wholly on it,
// `content` scrolling (a scroll bar only on a side that does not fit). Again when the
// window moves (its frame is known once placed) or moves to another screen.
void fixOnScreen(QWidget *window, QSize whole, QAbstractScrollArea *content = nullptr);

} // namespace windowfit
