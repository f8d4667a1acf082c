// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/qt/icons.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace yhb {
namespace {

void drawMagnifier(QPainter& p, bool plus) {
    p.setPen(QPen(QColor(30, 30, 30), 3));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(6, 6, 20, 20));
    p.setPen(QPen(QColor(90, 60, 30), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(25, 25), QPointF(34, 34));
    p.setPen(QPen(QColor(0, 0, 160), 3));
    p.drawLine(QPointF(11, 16), QPointF(21, 16));
    if (plus) p.drawLine(QPointF(16, 11), QPointF(16, 21));
}

void drawNumbers(QPainter& p) {
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(4, 30, 37, 30);
    p.drawLine(8, 36, 8, 3);
    p.setPen(QPen(QColor(0, 0, 200), 1));
    QFont f;
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(11, 31, 9, 9), Qt::AlignCenter, "1");
    p.drawText(QRect(20, 31, 9, 9), Qt::AlignCenter, "2");
    p.drawText(QRect(29, 31, 9, 9), Qt::AlignCenter, "3");
    p.setPen(QPen(QColor(200, 0, 200), 2));
    p.drawLine(9, 26, 36, 8);
}

void drawModify(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(250, 250, 235));
    p.drawRect(QRectF(5.5, 3.5, 17, 23));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (int y = 9; y <= 21; y += 4) p.drawLine(8, y, 19, y);
    p.setPen(QPen(QColor(220, 0, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(11, 17);
    tick.lineTo(16, 23);
    tick.lineTo(27, 9);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void drawDelete(QPainter& p) {
    p.setPen(QPen(QColor(220, 0, 0), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(8, 8, 22, 22);
    p.drawLine(22, 8, 8, 22);
}

QImage drawPicture(Picture art, bool pressed, double scale) {
    const int size = buttonPictureSize(art);
    const int pixels = std::max(1, static_cast<int>(std::lround(size * scale)));
    QImage img(pixels, pixels, QImage::Format_RGB32);
    img.fill(pressed ? QColor(192, 192, 192) : Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(pixels / double(size), pixels / double(size));
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.drawRect(0, 0, size - 1, size - 1);
    switch (art) {
    case Picture::ZoomIn: drawMagnifier(p, true); break;
    case Picture::ZoomOut: drawMagnifier(p, false); break;
    case Picture::Numbers: drawNumbers(p); break;
    case Picture::Modify: drawModify(p); break;
    case Picture::Delete: drawDelete(p); break;
    }
    return img;
}

} // namespace

QImage buttonPicture(Picture picture, bool pressed, double scale) { return drawPicture(picture, pressed, scale); }

int buttonPictureSize(Picture picture) { return picture == Picture::Modify || picture == Picture::Delete ? 30 : 40; }

QIcon appIcon() {
    // Drawn once: the program, its windows and the about box all ask for it.
    static const QIcon icon = [] {
    QImage img(64, 64, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 128, 128));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 8, 8);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(6, 40, 58, 40);
    p.drawLine(24, 6, 24, 58);
    p.setPen(QPen(QColor(255, 0, 255), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(14, 18, 40, 24));
    p.setPen(QPen(QColor(0, 255, 0), 3));
    QPainterPath curve;
    curve.moveTo(6, 56);
    curve.quadTo(24, -10, 58, 20);
    p.drawPath(curve);
    p.end();
    return QIcon(QPixmap::fromImage(img));
    }();
    return icon;
}

} // namespace yhb
