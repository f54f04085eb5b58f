#include "fitcheck.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>

namespace fitcheck {
namespace {

QString size(QSize s)
{
    return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
}

QString name(const QWidget *w, const QString &text = QString())
{
    QString line = QStringLiteral("%1: %2 %3").arg(w->window()->objectName(), QString::fromLatin1(w->metaObject()->className()),
                                                  w->objectName().isEmpty() ? QStringLiteral("-") : w->objectName());
    if (!text.isEmpty())
        line += QStringLiteral(" \"%1\"").arg(QString(text).replace(QLatin1Char('\n'), QLatin1String("\\n")));
    return line;
}

QRect inWindow(const QWidget *w)
{
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

// The part of the window on the screen's available area, in window coordinates.
QRect visibleArea(const QWidget *window)
{
    QRect area = window->rect();
    if (const QScreen *screen = window->screen()) {
        const QRect available = screen->availableGeometry();
        area &= QRect(window->mapFromGlobal(available.topLeft()), available.size());
    }
    return area;
}

bool isViewport(const QWidget *w)
{
    const auto *area = qobject_cast<const QAbstractScrollArea *>(w->parentWidget());
    return area && area->viewport() == w;
}

// Where `w` can be seen: cut by every parent up to the window, or up to a scroll
// area's viewport, behind which the content scrolls into view.
QRect clipOf(const QWidget *w)
{
    QRect clip(QPoint(-100000, -100000), QPoint(100000, 100000));
    const QWidget *window = w->window();
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (isViewport(p))
            break;
        clip &= p == window ? visibleArea(window) : inWindow(p);
        if (p == window)
            break;
    }
    return clip;
}

// The room a button leaves its text, after the style's margins, the check
// indicator and the icon.
QSize buttonTextRoom(const QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    const bool check = qobject_cast<const QCheckBox *>(button);
    const QRect contents = button->style()->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents,
                                                           &option, button);
    QSize room = contents.size();
    if (!button->icon().isNull())
        room.rwidth() -= button->iconSize().width() + 4;
    return room;
}

void checkText(const QWidget *w, QStringList &out)
{
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->text().isEmpty())
            return;
        const QSize needs = label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint();
        if (needs.width() > label->width() || needs.height() > label->height())
            out << name(w, label->text()) + QStringLiteral(" needs %1, has %2").arg(size(needs), size(label->size()));
    } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
        if (button->text().isEmpty() || !(qobject_cast<const QPushButton *>(w) || qobject_cast<const QCheckBox *>(w)))
            return;
        const QSize needs = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
        const QSize room = buttonTextRoom(button);
        if (needs.width() > room.width() || needs.height() > room.height())
            out << name(w, button->text()) + QStringLiteral(" text needs %1, has %2").arg(size(needs), size(room));
    }
}

void checkPlace(const QWidget *w, QStringList &out)
{
    const QRect place = inWindow(w);
    // Placed wholly outside its own parent: not meant to be seen.
    if (w->parentWidget() && !place.intersects(inWindow(w->parentWidget())))
        return;
    const QRect clip = clipOf(w);
    if (!clip.contains(place))
        out << name(w) + QStringLiteral(" at %1,%2 %3 lies partly outside %4,%5 %6")
                             .arg(place.x()).arg(place.y()).arg(size(place.size()))
                             .arg(clip.x()).arg(clip.y()).arg(size(clip.size()));
}

} // namespace

QStringList problems(const QWidget *window)
{
    QStringList out;
    checkPlace(window, out); // a window larger than the screen
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible() || w->window() != window)
            continue;
        checkText(w, out);
        checkPlace(w, out);
    }
    return out;
}

QStringList menuProblems(const QMenuBar *bar)
{
    QStringList out;
    const auto fits = [&out](const QWidget *holder, const QAction *action, int room, const QString &text) {
        const int needs = holder->fontMetrics().size(Qt::TextShowMnemonic, text).width();
        if (needs > room)
            out << name(holder, text) + QStringLiteral(" entry needs %1, has %2").arg(needs).arg(room);
        Q_UNUSED(action);
    };
    for (QAction *title : bar->actions()) {
        if (!title->isVisible())
            continue;
        fits(bar, title, bar->actionGeometry(title).width(), title->text());
        QMenu *menu = title->menu();
        if (!menu)
            continue;
        menu->ensurePolished();
        const QRect screen = bar->screen()->availableGeometry();
        if (menu->sizeHint().height() > screen.height() || menu->sizeHint().width() > screen.width())
            out << name(menu, title->text()) + QStringLiteral(" is larger than the screen");
        for (QAction *entry : menu->actions()) {
            if (entry->isSeparator() || !entry->isVisible())
                continue;
            const QString shortcut = entry->shortcut().toString(QKeySequence::NativeText);
            const QString text = shortcut.isEmpty() ? entry->text() : entry->text() + QStringLiteral("    ") + shortcut;
            fits(menu, entry, menu->actionGeometry(entry).width(), text);
        }
    }
    return out;
}

} // namespace fitcheck
