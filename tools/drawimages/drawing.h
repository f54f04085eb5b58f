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

// The eight toolbar/menu icons (32 x 32) and the window icon (48 x 48).
QImage pageIcon();
QImage openIcon();
QImage saveIcon();
QImage exitIcon();
QImage infoIcon();
QImage upIcon();
QImage downIcon();
QImage windowIcon();

// The picture of the module shown on the form (220 x 200).
QImage modulePicture();
