#include "sheetpainter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace sheet {
namespace {

QFont makeFont(const QString &family, QFont::StyleHint hint, double points, bool bold = false)
{
    QFont font(family);
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    font.setBold(bold);
    // No ligatures: "fi" stays two letters, so the PDF's text is the form's text
    // when it is searched or copied.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

constexpr char32_t kCheckMark = U'\u2713';
const QColor kShade(236, 236, 236);
const QColor kLine(150, 150, 150);

// Table columns as shares of the width: slot, number, then the four box columns.
constexpr double kColumnShare[] = {0.12, 0.32, 0.14, 0.14, 0.14, 0.14};
constexpr int kColumns = 6;

} // namespace

SheetPainter::SheetPainter(QPagedPaintDevice &device, const SheetContent &content)
    : m_device(device)
    , m_content(content)
    , m_dpi(device.logicalDpiY())
    , m_width(device.width())
    , m_titleFont(makeFont(QStringLiteral("DejaVu Sans"), QFont::SansSerif, 16, true))
    , m_headingFont(makeFont(QStringLiteral("DejaVu Sans"), QFont::SansSerif, 11, true))
    , m_labelFont(makeFont(QStringLiteral("DejaVu Sans"), QFont::SansSerif, 9.5))
    , m_valueFont(makeFont(QStringLiteral("DejaVu Sans Mono"), QFont::Monospace, 9.5, true))
    , m_smallFont(makeFont(QStringLiteral("DejaVu Sans"), QFont::SansSerif, 8))
{
    m_rowHeight = mm(5.6);
    m_bottom = device.height() - lineHeight(m_smallFont) - mm(3);
    // A clear mark where the font has one; a plain X where it has not.
    const bool hasCheck = QFontMetricsF(m_labelFont, &m_device).inFontUcs4(kCheckMark);
    m_mark = hasCheck ? QString::fromUcs4(&kCheckMark, 1) : QStringLiteral("X");
}

int SheetPainter::run(QPainter *painter, int pages)
{
    m_painter = painter;
    m_pages = pages;
    m_page = 1;
    m_y = 0;
    drawTitle();
    drawFields();
    drawPhones();
    drawSignatures();
    drawFooter();
    return m_page;
}

double SheetPainter::lineHeight(const QFont &font) const
{
    return QFontMetricsF(font, &m_device).height();
}

void SheetPainter::newPage()
{
    drawFooter();
    if (m_painter)
        m_device.newPage();
    ++m_page;
    m_y = 0;
}

void SheetPainter::drawFooter()
{
    const QRectF line(0, m_bottom + mm(3), m_width, lineHeight(m_smallFont));
    drawText(line, Qt::AlignLeft | Qt::AlignVCenter, m_content.footer, m_smallFont);
    drawText(line, Qt::AlignRight | Qt::AlignVCenter, SheetContent::pageOf(m_page, m_pages), m_smallFont);
}

// Every text is drawn whole: one that would not fit its box is set smaller instead
// of being cut, so no value on the sheet can lose a character.
void SheetPainter::drawText(const QRectF &rect, int flags, const QString &text, const QFont &font)
{
    if (!m_painter || text.isEmpty())
        return;
    QFont fitted = font;
    while (fitted.pointSizeF() > 5 && QFontMetricsF(fitted, &m_device).horizontalAdvance(text) > rect.width())
        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
    m_painter->setFont(fitted);
    m_painter->setPen(Qt::black);
    m_painter->drawText(rect, flags | Qt::TextSingleLine | Qt::TextDontClip, text);
}

void SheetPainter::drawRule(double y)
{
    if (!m_painter)
        return;
    m_painter->setPen(QPen(kLine, mm(0.25)));
    m_painter->drawLine(QPointF(0, y), QPointF(m_width, y));
}

void SheetPainter::drawTitle()
{
    const double titleHeight = lineHeight(m_titleFont);
    drawText(QRectF(0, 0, m_width * 0.7, titleHeight), Qt::AlignLeft | Qt::AlignVCenter, m_content.title, m_titleFont);
    const QString date = m_content.date.label + QLatin1Char(' ') + m_content.date.value;
    drawText(QRectF(m_width * 0.7, 0, m_width * 0.3, titleHeight), Qt::AlignRight | Qt::AlignVCenter, date, m_labelFont);
    m_y = titleHeight + mm(1);
    const QString file = m_content.file.label + QLatin1Char(' ') + m_content.file.value;
    drawText(QRectF(0, m_y, m_width, m_rowHeight), Qt::AlignLeft | Qt::AlignVCenter, file, m_labelFont);
    m_y += m_rowHeight + mm(1.5);
    drawRule(m_y);
    m_y += mm(3);
}

void SheetPainter::drawFields()
{
    // The form's two columns side by side: the module on the left, the messages on the right.
    const double gap = mm(8);
    const double column = (m_width - gap) / 2;
    const double top = m_y;
    drawEntries(m_content.moduleHeading, m_content.module, 0, column);
    const double leftEnd = m_y;
    m_y = top;
    drawEntries(m_content.messageHeading, m_content.messages, column + gap, column);
    m_y = qMax(m_y, leftEnd) + mm(4);
}

void SheetPainter::drawEntries(const QString &heading, const QList<Entry> &entries, double x, double width)
{
    drawText(QRectF(x, m_y, width, m_rowHeight), Qt::AlignLeft | Qt::AlignVCenter, heading, m_headingFont);
    m_y += m_rowHeight + mm(1);
    const QFontMetricsF labels(m_labelFont, &m_device);
    double labelWidth = 0;
    for (const auto &entry : entries)
        labelWidth = qMax(labelWidth, labels.horizontalAdvance(entry.label));
    labelWidth += mm(2);
    for (const auto &entry : entries) {
        drawText(QRectF(x, m_y, labelWidth, m_rowHeight), Qt::AlignLeft | Qt::AlignVCenter, entry.label, m_labelFont);
        drawText(QRectF(x + labelWidth, m_y, width - labelWidth, m_rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                 entry.value, m_valueFont);
        m_y += m_rowHeight;
    }
}

double SheetPainter::columnX(int column) const
{
    double x = 0;
    for (int i = 0; i < column; ++i)
        x += kColumnShare[i] * m_width;
    return x;
}

void SheetPainter::drawPhones()
{
    drawText(QRectF(0, m_y, m_width, m_rowHeight), Qt::AlignLeft | Qt::AlignVCenter, m_content.phoneHeading,
             m_headingFont);
    m_y += m_rowHeight + mm(1);
    if (m_content.phones.isEmpty()) {
        drawText(QRectF(0, m_y, m_width, m_rowHeight), Qt::AlignLeft | Qt::AlignVCenter, m_content.noPhones,
                 m_labelFont);
        m_y += m_rowHeight;
        return;
    }
    // The header and at least one row stay together on a page.
    if (!fits(3 * m_rowHeight))
        newPage();
    drawTableHeader();
    for (int i = 0; i < m_content.phones.size(); ++i) {
        if (!fits(m_rowHeight)) {
            newPage();
            const QString heading = m_content.title + QLatin1Char(' ') + m_content.continued;
            drawText(QRectF(0, m_y, m_width, m_rowHeight), Qt::AlignLeft | Qt::AlignVCenter, heading, m_headingFont);
            m_y += m_rowHeight + mm(2);
            drawTableHeader();
        }
        drawPhoneRow(m_content.phones[i], i % 2 == 1);
    }
}

void SheetPainter::drawTableHeader()
{
    const double h = m_rowHeight;
    const int centre = Qt::AlignCenter;
    if (m_painter) {
        m_painter->fillRect(QRectF(0, m_y, m_width, 2 * h), kShade);
        m_painter->setPen(QPen(kLine, mm(0.2)));
        m_painter->drawRect(QRectF(0, m_y, m_width, 2 * h));
        for (int c = 1; c < kColumns; ++c) // the pair titles span two box columns
            m_painter->drawLine(QPointF(columnX(c), m_y + (c == 3 || c == 5 ? h : 0)), QPointF(columnX(c), m_y + 2 * h));
        m_painter->drawLine(QPointF(columnX(2), m_y + h), QPointF(m_width, m_y + h));
    }
    drawText(QRectF(columnX(0), m_y, columnX(1), 2 * h), centre, m_content.slotColumn, m_headingFont);
    drawText(QRectF(columnX(1), m_y, columnX(2) - columnX(1), 2 * h), centre, m_content.numberColumn, m_headingFont);
    const PairHeader *pairs[] = {&m_content.alarm, &m_content.control};
    for (int p = 0; p < 2; ++p) {
        const double x = columnX(2 + 2 * p);
        const double w = columnX(3) - columnX(2);
        drawText(QRectF(x, m_y, 2 * w, h), centre, pairs[p]->title, m_headingFont);
        drawText(QRectF(x, m_y + h, w, h), centre, pairs[p]->first, m_headingFont);
        drawText(QRectF(x + w, m_y + h, w, h), centre, pairs[p]->second, m_headingFont);
    }
    m_y += 2 * h;
}

void SheetPainter::drawPhoneRow(const PhoneRow &row, bool shaded)
{
    const double h = m_rowHeight;
    if (m_painter) {
        if (shaded)
            m_painter->fillRect(QRectF(0, m_y, m_width, h), kShade);
        m_painter->setPen(QPen(kLine, mm(0.2)));
        m_painter->drawLine(QPointF(0, m_y + h), QPointF(m_width, m_y + h));
        for (int c = 0; c <= kColumns; ++c) {
            const double x = c == kColumns ? m_width : columnX(c);
            m_painter->drawLine(QPointF(x, m_y), QPointF(x, m_y + h));
        }
    }
    drawText(QRectF(columnX(0), m_y, columnX(1), h), Qt::AlignCenter, QString::number(row.slot), m_labelFont);
    drawText(QRectF(columnX(1) + mm(2), m_y, columnX(2) - columnX(1) - mm(4), h), Qt::AlignLeft | Qt::AlignVCenter,
             row.number, m_valueFont);
    for (int m = 0; m < MarkColumns; ++m) {
        if (row.marks[m])
            drawText(QRectF(columnX(2 + m), m_y, columnX(3) - columnX(2), h), Qt::AlignCenter, m_mark, m_headingFont);
    }
    m_y += h;
}

void SheetPainter::drawSignatures()
{
    const double height = mm(22);
    if (!fits(height))
        newPage();
    m_y += mm(12);
    const double half = m_width / 2;
    const Entry *entries[] = {&m_content.handedOver, &m_content.received};
    for (int i = 0; i < 2; ++i) {
        const double x = i * half;
        const QRectF label(x, m_y, mm(20), m_rowHeight);
        drawText(label, Qt::AlignLeft | Qt::AlignBottom, entries[i]->label, m_labelFont);
        if (m_painter) {
            m_painter->setPen(QPen(Qt::black, mm(0.2)));
            m_painter->drawLine(QPointF(label.right(), m_y + m_rowHeight), QPointF(x + half - mm(6), m_y + m_rowHeight));
        }
    }
    m_y += height - mm(12);
}

} // namespace sheet
