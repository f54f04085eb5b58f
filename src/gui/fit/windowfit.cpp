#include "windowfit.h"

#include <QAbstractScrollArea>
#include <QScreen>
#include <QStyle>
#include <QWindow>

namespace windowfit {
namespace {

void fit(QWidget *window, QSize whole, QAbstractScrollArea *content)
{
    const QRect area = window->screen()->availableGeometry();
    const QMargins frame = window->windowHandle()->frameMargins();
    const QSize room = area.size().shrunkBy(frame);
    const int bar = content ? window->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    const QMargins bars(0, 0, whole.height() > room.height() ? bar : 0, whole.width() > room.width() ? bar : 0);
    const QSize size = whole.grownBy(bars).boundedTo(room); // a scroll bar takes room of its own
    if (content) {
        content->setHorizontalScrollBarPolicy(size.width() < whole.width() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        content->setVerticalScrollBarPolicy(size.height() < whole.height() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    }
    window->setFixedSize(size);
    const QRect placed(window->frameGeometry().topLeft(), size.grownBy(frame));
    const QPoint to(qBound(area.left(), placed.left(), area.right() + 1 - placed.width()),
                    qBound(area.top(), placed.top(), area.bottom() + 1 - placed.height()));
    if (size != whole && to != placed.topLeft())
        window->move(to);
}

} // namespace

void fixOnScreen(QWidget *window, QSize whole, QAbstractScrollArea *content)
{
    window->winId(); // the native window, whose screen and moves are followed
    const auto refit = [=] { fit(window, whole, content); };
    refit();
    QObject::connect(window->windowHandle(), &QWindow::screenChanged, window, refit);
    QObject::connect(window->windowHandle(), &QWindow::xChanged, window, refit);
    QObject::connect(window->windowHandle(), &QWindow::yChanged, window, refit);
}

} // namespace windowfit
