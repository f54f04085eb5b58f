// The small icons: simple shapes, a dark outline and one flat colour each, so that
// they stay legible at 16 pixels in a menu.
#include "drawing.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor kOutline(50, 55, 62);

QPen outlinePen(qreal width = 1.5)
{
    QPen pen(kOutline, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

QLinearGradient vertical(qreal top, qreal bottom, const QColor &light, const QColor &dark)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    return g;
}

// A thick arrow along the vertical axis; the tip is at tipY, the tail at tailY.
QPolygonF verticalArrow(qreal cx, qreal tipY, qreal tailY, qreal headHalf, qreal shaftHalf, qreal headLength)
{
    const qreal dir = tailY > tipY ? 1 : -1;
    const qreal neck = tipY + dir * headLength;
    return QPolygonF({{cx, tipY}, {cx + headHalf, neck}, {cx + shaftHalf, neck}, {cx + shaftHalf, tailY},
                      {cx - shaftHalf, tailY}, {cx - shaftHalf, neck}, {cx - headHalf, neck}});
}

QImage arrowIcon(bool up)
{
    return painted(32, 32, [up](QPainter &p) {
        p.setPen(outlinePen());
        p.setBrush(vertical(2, 30, QColor(120, 200, 90), QColor(40, 130, 40)));
        p.drawPolygon(up ? verticalArrow(16, 2.5, 29.5, 12.5, 5.5, 12) : verticalArrow(16, 29.5, 2.5, 12.5, 5.5, 12));
    });
}

} // namespace

QImage pageIcon()
{
    return painted(32, 32, [](QPainter &p) {
        p.setPen(outlinePen());
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{6.5, 2.5}, {19.5, 2.5}, {26.5, 9.5}, {26.5, 29.5}, {6.5, 29.5}}));
        p.setBrush(QColor(215, 220, 228));
        p.drawPolygon(QPolygonF({{19.5, 2.5}, {19.5, 9.5}, {26.5, 9.5}}));
        p.setPen(QPen(QColor(120, 140, 170), 1.5));
        for (int y = 14; y <= 26; y += 4)
            p.drawLine(QPointF(10, y), QPointF(y == 26 ? 18 : 23, y));
    });
}

QImage openIcon()
{
    return painted(32, 32, [](QPainter &p) {
        p.setPen(outlinePen());
        // The folder's back with its tab.
        p.setBrush(QColor(214, 160, 50));
        p.drawPolygon(QPolygonF({{2.5, 6.5}, {11.5, 6.5}, {14, 9.5}, {26.5, 9.5}, {26.5, 26.5}, {2.5, 26.5}}));
        // A sheet sticking out.
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 11.5, 17, 10));
        // The front flap, opened towards the viewer.
        p.setBrush(vertical(14, 27, QColor(255, 216, 100), QColor(236, 176, 50)));
        p.drawPolygon(QPolygonF({{7.5, 14.5}, {30.5, 14.5}, {26.5, 26.5}, {2.5, 26.5}}));
    });
}

QImage saveIcon()
{
    return painted(32, 32, [](QPainter &p) {
        p.setPen(outlinePen());
        // The disk body with its cut corner.
        p.setBrush(vertical(3, 29, QColor(80, 130, 200), QColor(35, 80, 150)));
        p.drawPolygon(QPolygonF({{3.5, 3.5}, {25.5, 3.5}, {28.5, 6.5}, {28.5, 28.5}, {3.5, 28.5}}));
        // The metal shutter with its window.
        p.setBrush(QColor(205, 210, 218));
        p.drawRect(QRectF(9.5, 3.5, 13, 9));
        p.setPen(Qt::NoPen);
        p.setBrush(kOutline);
        p.drawRect(QRectF(17, 5, 3, 6));
        // The paper label.
        p.setPen(outlinePen(1.0));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7.5, 16.5, 17, 12));
        p.setPen(QPen(QColor(120, 140, 170), 1.2));
        p.drawLine(QPointF(10, 20.5), QPointF(22, 20.5));
        p.drawLine(QPointF(10, 24.5), QPointF(22, 24.5));
    });
}

QImage exitIcon()
{
    return painted(32, 32, [](QPainter &p) {
        // The door frame and the door.
        p.setPen(outlinePen());
        p.setBrush(QColor(235, 235, 235));
        p.drawRect(QRectF(3.5, 2.5, 16, 27));
        p.setBrush(vertical(3, 29, QColor(205, 140, 80), QColor(150, 90, 40)));
        p.drawPolygon(QPolygonF({{3.5, 2.5}, {13.5, 5.5}, {13.5, 29.5}, {3.5, 29.5}}));
        p.setPen(Qt::NoPen);
        p.setBrush(kOutline);
        p.drawEllipse(QPointF(11, 17), 1.3, 1.3);
        // The way out.
        p.setPen(outlinePen());
        p.setBrush(QColor(205, 50, 40));
        p.drawPolygon(QPolygonF({{30.5, 16}, {22.5, 8.5}, {22.5, 12.5}, {15.5, 12.5}, {15.5, 19.5}, {22.5, 19.5},
                                 {22.5, 23.5}}));
    });
}

QImage infoIcon()
{
    return painted(32, 32, [](QPainter &p) {
        p.setPen(QPen(QColor(25, 70, 140), 1.5));
        p.setBrush(vertical(2, 30, QColor(90, 150, 230), QColor(30, 90, 180)));
        p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 9), 2.4, 2.4);
        p.drawRoundedRect(QRectF(13.8, 13, 4.4, 12), 1.5, 1.5);
    });
}

QImage upIcon()
{
    return arrowIcon(true);
}

QImage downIcon()
{
    return arrowIcon(false);
}

namespace {

// The module on the 48 x 48 canvas of the window icon: a box with an antenna, a
// lamp and the terminal screws, inside 3..33 across and 3..44 down.
void drawModule(QPainter &p)
{
    p.setPen(QPen(kOutline, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 16), QPointF(9, 3));
    p.setPen(outlinePen(2));
    p.setBrush(vertical(14, 44, QColor(120, 128, 140), QColor(70, 76, 88)));
    p.drawRoundedRect(QRectF(3, 14, 30, 30), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 220, 90));
    p.drawEllipse(QPointF(26, 21), 2.2, 2.2);
    p.setBrush(QColor(230, 235, 240));
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(9 + 6 * i, 38), 2, 2);
}

} // namespace

void drawWindowIcon(QPainter &p)
{
    drawModule(p);
    // The download into it, set off from the box by a white halo.
    const QPolygonF arrow = verticalArrow(36, 45.5, 12.5, 10.5, 4.5, 12);
    QPen halo(Qt::white, 4);
    halo.setJoinStyle(Qt::RoundJoin);
    p.setPen(halo);
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(arrow);
    p.setPen(outlinePen());
    p.setBrush(vertical(12, 46, QColor(120, 200, 90), QColor(40, 130, 40)));
    p.drawPolygon(arrow);
}

QImage windowIcon()
{
    return painted(48, 48, drawWindowIcon);
}

void drawConfigFileIcon(QPainter &p)
{
    // A sheet with a folded corner, as the page icon, holding the module in small.
    p.setPen(outlinePen());
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{5.5, 1.5}, {19.5, 1.5}, {27.5, 9.5}, {27.5, 30.5}, {5.5, 30.5}}));
    p.setBrush(QColor(215, 220, 228));
    p.drawPolygon(QPolygonF({{19.5, 1.5}, {19.5, 9.5}, {27.5, 9.5}}));
    p.save();
    p.translate(8.5 - 3 * 0.55, 6 - 3 * 0.55);
    p.scale(0.55, 0.55);
    drawModule(p);
    p.restore();
}
