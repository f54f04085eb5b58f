// The picture of the module on the form: a GSM module box with its antenna, the
// name plate, two status lamps and the terminal strip with the two inputs (BE1,
// BE2) and the two relay outputs (KI3, KI4), named as the form names them.
#include "drawing.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>

namespace {

QFont pixelFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void drawScrew(QPainter &p, QPointF centre)
{
    QRadialGradient head(centre - QPointF(1.5, 1.5), 6);
    head.setColorAt(0, QColor(250, 250, 250));
    head.setColorAt(1, QColor(150, 155, 160));
    p.setPen(QPen(QColor(60, 65, 70), 1));
    p.setBrush(head);
    p.drawEllipse(centre, 5.5, 5.5);
    p.setPen(QPen(QColor(60, 65, 70), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(-3, 3), centre + QPointF(3, -3));
}

} // namespace

QImage modulePicture()
{
    return painted(220, 200, [](QPainter &p) {
        const QColor outline(70, 76, 86);

        // Antenna: a rod on a hinge at the top right of the case.
        QLinearGradient rod(164, 0, 176, 0);
        rod.setColorAt(0, QColor(90, 95, 105));
        rod.setColorAt(0.4, QColor(40, 44, 50));
        rod.setColorAt(1, QColor(20, 22, 26));
        p.setPen(QPen(QColor(20, 22, 26), 1));
        p.setBrush(rod);
        p.drawRoundedRect(QRectF(164.5, 6.5, 11, 52), 5, 5);
        p.setBrush(QColor(60, 64, 72));
        p.drawRoundedRect(QRectF(158.5, 46.5, 23, 14), 3, 3);

        // The case.
        QLinearGradient face(0, 56, 0, 176);
        face.setColorAt(0, QColor(240, 242, 244));
        face.setColorAt(1, QColor(196, 201, 207));
        p.setPen(QPen(outline, 2));
        p.setBrush(face);
        p.drawRoundedRect(QRectF(16, 56, 188, 120), 10, 10);
        // A shadow line under the lid.
        p.setPen(QPen(QColor(170, 176, 184), 1));
        p.drawLine(QPointF(24, 64.5), QPointF(196, 64.5));

        // Name plate.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 62, 110));
        p.drawRoundedRect(QRectF(30, 74, 112, 32), 4, 4);
        p.setPen(Qt::white);
        p.setFont(pixelFont(20, true));
        p.drawText(QRectF(30, 74, 112, 32), Qt::AlignCenter, QStringLiteral("RZM-417"));
        p.setPen(QColor(80, 86, 96));
        p.setFont(pixelFont(11, false));
        p.drawText(QRectF(30, 108, 112, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("GSM modul"));

        // Status lamps: power and network.
        const struct { qreal x; QColor colour; const char *name; } lamps[] = {
            {164, QColor(70, 200, 70), "PWR"},
            {188, QColor(240, 170, 30), "GSM"},
        };
        p.setFont(pixelFont(8, true));
        for (const auto &lamp : lamps) {
            p.setPen(QPen(outline, 1));
            p.setBrush(lamp.colour);
            p.drawEllipse(QPointF(lamp.x, 84), 4.5, 4.5);
            p.setPen(QColor(80, 86, 96));
            p.drawText(QRectF(lamp.x - 12, 92, 24, 10), Qt::AlignCenter, QString::fromLatin1(lamp.name));
        }

        // Terminal strip: two screws per terminal, inputs left, relay outputs right.
        const char *const names[4] = {"BE1", "BE2", "KI3", "KI4"};
        const QColor groupColour[2] = {QColor(0, 100, 0), QColor(0, 0, 130)};
        p.setPen(QPen(QColor(20, 80, 40), 1));
        p.setBrush(QColor(46, 140, 70));
        p.drawRoundedRect(QRectF(26.5, 142.5, 167, 26), 3, 3);
        p.setFont(pixelFont(10, true));
        for (int t = 0; t < 4; ++t) {
            const qreal left = 28 + 41.5 * t;
            p.setPen(groupColour[t / 2]);
            p.drawText(QRectF(left, 127, 41.5, 13), Qt::AlignCenter, QString::fromLatin1(names[t]));
            drawScrew(p, QPointF(left + 12, 155.5));
            drawScrew(p, QPointF(left + 29.5, 155.5));
            if (t > 0) {
                p.setPen(QPen(QColor(20, 80, 40), t == 2 ? 2 : 1));
                p.drawLine(QPointF(left, 144), QPointF(left, 167));
            }
        }
    });
}
