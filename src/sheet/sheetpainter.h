#pragma once

#include "sheetcontent.h"

#include <QFont>
#include <QRectF>

class QPagedPaintDevice;
class QPainter;

namespace sheet {

// Lays the sheet out on the device's pages and draws it. Without a painter it only
// lays out, which is how the page count for the footers is found before drawing.
class SheetPainter
{
public:
    SheetPainter(QPagedPaintDevice &device, const SheetContent &content);

    // Returns the number of pages; `pages` is the total the footers name.
    int run(QPainter *painter, int pages);

private:
    double mm(double value) const { return value * m_dpi / 25.4; }
    double lineHeight(const QFont &font) const;
    bool fits(double height) const { return m_y + height <= m_bottom; }
    void newPage();
    void drawFooter();
    void drawText(const QRectF &rect, int flags, const QString &text, const QFont &font);
    void drawRule(double y);

    void drawTitle();
    void drawFields();
    void drawEntries(const QString &heading, const QList<Entry> &entries, double x, double width);
    void drawPhones();
    void drawTableHeader();
    void drawPhoneRow(const PhoneRow &row, bool shaded);
    void drawSignatures();
    double columnX(int column) const;

    QPagedPaintDevice &m_device;
    const SheetContent &m_content;
    QPainter *m_painter = nullptr;
    double m_dpi;
    double m_width;
    double m_bottom; // above the footer
    double m_rowHeight;
    double m_y = 0;
    int m_page = 1;
    int m_pages = 1;
    QFont m_titleFont;
    QFont m_headingFont;
    QFont m_labelFont;
    QFont m_valueFont;
    QFont m_smallFont;
    QString m_mark;
};

} // namespace sheet
