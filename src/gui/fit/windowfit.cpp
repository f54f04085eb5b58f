#include "windowfit.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace windowfit {
namespace {

// Grows `child` of a dialog laid out by hand to `size`: the dialog grows by as
// much, what lies below the child moves down (and right, where it reaches the
// child's right edge), what lies right of it moves right.
void grow(QWidget *child, QSize size)
{
    const QRect old = child->geometry();
    const int dw = qMax(0, size.width() - old.width());
    const int dh = qMax(0, size.height() - old.height());
    if (dw == 0 && dh == 0)
        return;
    child->resize(old.width() + dw, old.height() + dh);
    QWidget *dialog = child->parentWidget();
    for (QWidget *w : dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (w == child || w->isWindow())
            continue;
        const QRect g = w->geometry();
        if (g.top() > old.bottom())
            w->move(g.x() + (g.right() >= old.right() ? dw : 0), g.y() + dh);
        else if (g.left() > old.right())
            w->move(g.x() + dw, g.y());
    }
    const QSize bigger = dialog->size() + QSize(dw, dh);
    if (dialog->minimumSize() == dialog->maximumSize())
        dialog->setFixedSize(bigger);
    else
        dialog->resize(bigger);
    // A shown dialog keeps its middle where it was, over the window it belongs to.
    if (dialog->isWindow() && dialog->isVisible())
        dialog->move(dialog->pos() - QPoint(dw / 2, dh / 2));
}

// Watches a window and keeps it on its screen's available area (keepOnScreen()).
class ScreenKeeper : public QObject
{
public:
    explicit ScreenKeeper(QWidget *window)
        : QObject(window)
        , m_window(window)
        , m_whole(window->size())
        , m_fixed(window->minimumSize() == window->maximumSize())
    {
        setObjectName(QStringLiteral("screenKeeper"));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // A window learns its frame once the window manager has placed it, which
        // shows as a move: each of these looks again, once the event is done.
        const QEvent::Type type = event->type();
        if (type == QEvent::Show || type == QEvent::Move || type == QEvent::ScreenChangeInternal)
            QTimer::singleShot(0, this, [this] { fit(); });
        return false;
    }

private:
    void fit();
    QSize makeRoom(QSize room);
    QSize scrollCentralWidget(QMainWindow *window, QSize room);
    QSize shrinkTextView(QSize room);
    QSize scrollChildren(QSize room);
    void resizeTo(QSize size, QMargins frame, QRect area);

    QWidget *m_window;
    const QSize m_whole; // the window when it shows all it holds
    const bool m_fixed;
    QSize m_made;        // the size it took where the screen is smaller; empty while it fits
};

void ScreenKeeper::fit()
{
    const QScreen *screen = m_window->screen();
    if (!screen || !m_window->isVisible())
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = m_window->windowHandle() ? m_window->windowHandle()->frameMargins() : QMargins();
    const QSize room = area.size().shrunkBy(frame);
    if (m_whole.width() <= room.width() && m_whole.height() <= room.height())
        return; // it fits: nothing changes
    if (m_made.isEmpty() || m_made.width() > room.width() || m_made.height() > room.height())
        m_made = makeRoom(room);
    if (!m_made.isEmpty())
        resizeTo(m_made, frame, area);
}

// Makes the window's content fit `room`; the window's new size, or an empty
// size where nothing could be done.
QSize ScreenKeeper::makeRoom(QSize room)
{
    if (auto *mainWindow = qobject_cast<QMainWindow *>(m_window))
        return mainWindow->centralWidget() ? scrollCentralWidget(mainWindow, room) : QSize();
    // A dialog with a layout of its own is as small as its layout allows.
    if (m_window->layout())
        return m_whole.boundedTo(room).expandedTo(m_window->minimumSizeHint());
    const QSize shrunk = shrinkTextView(room);
    return shrunk.isEmpty() ? scrollChildren(room) : shrunk;
}

// The central widget, at the size its children need, scrolls between the bars.
QSize ScreenKeeper::scrollCentralWidget(QMainWindow *window, QSize room)
{
    const QRect used = window->centralWidget()->childrenRect();
    QWidget *content = window->takeCentralWidget();
    content->setFixedSize(used.right() + 1, used.bottom() + 1);
    auto *area = new QScrollArea;
    area->setObjectName(QStringLiteral("scrollArea"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(content);
    window->setCentralWidget(area);
    content->show();
    // A scroll bar takes room of its own beside the content it scrolls. Where one
    // side fits, it gets no scroll bar at all: a scaled screen's rounding would
    // otherwise ask for one a pixel short.
    const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize size = m_whole;
    if (size.height() > room.height())
        size = QSize(size.width() + bar, room.height());
    if (size.width() > room.width())
        size = QSize(room.width(), qMin(size.height() + bar, room.height()));
    if (size.width() >= m_whole.width())
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (size.height() >= m_whole.height())
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return size;
}

// A dialog laid out by hand around a view that scrolls by itself (the help
// text): the view gives up the room, and what lies below or right of it moves up
// or left, so the buttons stay in sight.
QSize ScreenKeeper::shrinkTextView(QSize room)
{
    QAbstractScrollArea *view = nullptr;
    for (auto *child : m_window->findChildren<QAbstractScrollArea *>(Qt::FindDirectChildrenOnly))
        if (!view || child->width() * child->height() > view->width() * view->height())
            view = child;
    const QSize size = m_whole.boundedTo(room);
    const int dw = m_whole.width() - size.width();
    const int dh = m_whole.height() - size.height();
    constexpr int kLeast = 120; // what is left of the view must still show some text
    if (!view || view->width() - dw < kLeast || view->height() - dh < kLeast)
        return QSize();
    const QRect old = view->geometry();
    view->resize(old.width() - dw, old.height() - dh);
    for (QWidget *w : m_window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QRect g = w->geometry();
        if (w == view || w->isWindow())
            continue;
        if (g.top() > old.bottom())
            w->move(g.x() - (g.right() >= old.right() ? dw : 0), g.y() - dh);
        else if (g.left() > old.right())
            w->move(g.x() - dw, g.y());
        if (g.width() > size.width() - g.x()) // a row as wide as the dialog narrows with it
            w->resize(qMax(0, g.width() - dw), g.height());
    }
    return size;
}

// Any other dialog laid out by hand: its children move, as they stand, into a
// content widget of the dialog's whole size, which scrolls inside the dialog.
QSize ScreenKeeper::scrollChildren(QSize room)
{
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("scrolledContent"));
    for (QWidget *child : m_window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        const bool hidden = child->isHidden();
        const QRect place = child->geometry();
        child->setParent(content);
        child->setGeometry(place);
        child->setVisible(!hidden);
    }
    content->setFixedSize(m_whole);
    auto *area = new QScrollArea;
    area->setObjectName(QStringLiteral("scrollArea"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(content);
    auto *layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    return m_whole.boundedTo(room);
}

// The window at `size`, wholly on the available area, frame and all.
void ScreenKeeper::resizeTo(QSize size, QMargins frame, QRect area)
{
    if (m_fixed) {
        m_window->setFixedSize(size);
    } else {
        m_window->setMinimumSize(m_window->minimumSize().boundedTo(size));
        m_window->resize(size);
    }
    const QRect placed(m_window->frameGeometry().topLeft(), size.grownBy(frame));
    const QPoint to(qBound(area.left(), placed.left(), qMax(area.left(), area.right() + 1 - placed.width())),
                    qBound(area.top(), placed.top(), qMax(area.top(), area.bottom() + 1 - placed.height())));
    if (to != placed.topLeft())
        m_window->move(to);
}

} // namespace

QSize aroundForm(QMainWindow &window, QSize form)
{
    window.ensurePolished();
    const QWidget *bar = window.menuBar();
    const int menu = bar->hasHeightForWidth() ? bar->heightForWidth(form.width()) : bar->sizeHint().height();
    return {form.width(), menu + form.height() + window.statusBar()->sizeHint().height()};
}

void keepOnScreen(QWidget *window)
{
    new ScreenKeeper(window);
}

void growLabel(QLabel *label, int maxWidth)
{
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString &line : label->text().split(QLatin1Char('\n')))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    const QMargins margins = label->contentsMargins();
    const int room = widest + margins.left() + margins.right() + 2 * label->margin();
    const int width = qBound(label->width(), room, qMax(label->width(), maxWidth));
    grow(label, {width, qMax(label->height(), label->heightForWidth(width))});
}

void growToLayout(QWidget *holder)
{
    if (QLayout *layout = holder->layout())
        grow(holder, layout->minimumSize());
}

} // namespace windowfit
