#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include <functional>

// Every image starts transparent and is drawn antialiased, so the same code gives
// the same pixels on every run.
inline QImage painted(int width, int height, const std::function<void(QPainter &)> &draw)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    draw(p);
    p.end();
    return image;
}

// The same drawing, made on a design x design canvas, redrawn (not resampled) at
// size x size: the desktop's icons in every size from one drawing.
inline QImage scaledIcon(int size, qreal design, const std::function<void(QPainter &)> &draw)
{
    return painted(size, size, [&](QPainter &p) {
        p.scale(size / design, size / design);
        draw(p);
    });
}

// The eight toolbar/menu icons (32 x 32) and the window icon (48 x 48).
QImage pageIcon();
QImage openIcon();
QImage saveIcon();
QImage exitIcon();
QImage infoIcon();
QImage upIcon();
QImage downIcon();
QImage windowIcon();

// The window icon's drawing (on 48 x 48), which is also the desktop's program icon,
// and the configuration file type's icon (on 32 x 32).
void drawWindowIcon(QPainter &p);
void drawConfigFileIcon(QPainter &p);

// The picture of the module shown on the form (220 x 200).
QImage modulePicture();
