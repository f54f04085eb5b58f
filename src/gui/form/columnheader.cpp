#include "columnheader.h"

#include <QPainter>
#include <QStyle>

namespace {

constexpr int kFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

// The words, and one mark on the line below them.
QString block(const QString &words, const QString &mark)
{
    return words.isEmpty() ? mark : words + QLatin1Char('\n') + mark;
}

} // namespace

ColumnHeader::ColumnHeader(int columns, int step, QWidget *parent)
    : QLabel(parent)
    , m_columns(columns)
    , m_step(step)
{
    setWordWrap(true);
    setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
}

std::pair<QString, QStringList> ColumnHeader::parts() const
{
    QString words = text().trimmed();
    QStringList marks;
    while (marks.size() < m_columns && !words.isEmpty()) {
        const qsizetype blank = words.lastIndexOf(QLatin1Char(' '));
        marks.prepend(words.mid(blank + 1));
        words = blank < 0 ? QString() : words.left(blank).trimmed();
    }
    return {words, marks};
}

int ColumnHeader::heightForWidth(int width) const
{
    const auto [words, marks] = parts();
    const QMargins margins = contentsMargins();
    const QRect room(0, 0, width - margins.left() - margins.right(), QWIDGETSIZE_MAX);
    return fontMetrics().boundingRect(room, kFlags, block(words, marks.join(QLatin1Char(' ')))).height() + margins.top()
        + margins.bottom();
}

void ColumnHeader::paintEvent(QPaintEvent *)
{
    const auto [words, marks] = parts();
    if (marks.isEmpty())
        return;
    QPainter painter(this);
    const QRect area = contentsRect();
    // The words and the first mark, where a label draws them; each further mark
    // the same way, moved to its column and cut to the marks' line.
    const QString first = block(words, marks.first());
    style()->drawItemText(&painter, area, kFlags, palette(), isEnabled(), first, foregroundRole());
    const int line = painter.boundingRect(area, kFlags, first).top()
        + (words.isEmpty() ? 0 : painter.boundingRect(area, Qt::AlignLeft | Qt::TextWordWrap, words).height());
    for (int k = 1; k < marks.size(); ++k) {
        const QRect column = area.translated(k * m_step, 0);
        painter.setClipRect(QRect(column.left(), line, column.width(), area.bottom() + 1 - line));
        style()->drawItemText(&painter, column, kFlags, palette(), isEnabled(), block(words, marks[k]), foregroundRole());
    }
}
