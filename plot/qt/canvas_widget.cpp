// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/qt/canvas_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

#include "res/strings.h"

namespace yhb {

CanvasWidget::CanvasWidget(Document& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), image_(1, 1, QImage::Format_RGB32), surface_(&image_) {
    setObjectName(utf8String(StringId::FunctionClass));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    surface_.setBkMode(BkMode::Transparent);
    image_.fill(Qt::gray);
}

double CanvasWidget::magnification() const { return doc_.view.presentation ? kPresentationMagnification : 1.0; }

bool CanvasWidget::refit() {
    dpr_ = devicePixelRatioF();
    presentation_ = doc_.view.presentation;
    surface_.setStyle(presentation_ ? presentationStyle(dpr_) : normalStyle(dpr_));
    const int w = width(), h = height();
    const int dw = static_cast<int>(std::lround(w * dpr_)), dh = static_cast<int>(std::lround(h * dpr_));
    if (dw > 0 && dh > 0 && (dw != image_.width() || dh != image_.height())) {
        image_ = QImage(dw, dh, QImage::Format_RGB32);
        image_.fill(Qt::gray);
        surface_.setTarget(&image_);
    }
    image_.setDevicePixelRatio(dpr_);
    const double m = magnification();
    return doc_.canvas.resize(static_cast<int>(w / m), static_cast<int>(h / m));
}

void CanvasWidget::restyle() {
    const double before = presentation_ ? kPresentationMagnification : 1.0;
    const bool centred = refit();
    const double after = magnification();
    // The origin stays where it was on the screen; the plane around it grows or shrinks.
    // Switching back without dragging in between returns to the very origin of before.
    CanvasView& c = doc_.canvas;
    if (!centred && before != after) {
        const Point from{c.originX, c.originY};
        if (undo_.valid && undo_.magnification == after && undo_.to == from) {
            c.originX = undo_.from.x;
            c.originY = undo_.from.y;
        } else {
            c.originX = static_cast<int>(std::floor(from.x * before / after));
            c.originY = static_cast<int>(std::floor(from.y * before / after));
        }
        undo_ = {true, before, {c.originX, c.originY}, from};
    }
    applyOrigin();
}

void CanvasWidget::repaintNow() {
    if (devicePixelRatioF() != dpr_ || doc_.view.presentation != presentation_) refit();
    paintDocument(surface_, doc_);
    update();
}

void CanvasWidget::applyOrigin() {
    surface_.setOrigin(doc_.canvas.originX, doc_.canvas.originY);
    repaintNow();
}

void CanvasWidget::paintEvent(QPaintEvent*) {
    if (devicePixelRatioF() != dpr_) restyle(); // moved to a screen of another ratio
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void CanvasWidget::resizeEvent(QResizeEvent*) {
    if (refit()) applyOrigin();
}

QPoint CanvasWidget::planePos(const QPointF& pos) const {
    const double m = magnification();
    if (m == 1.0) return pos.toPoint();
    return {static_cast<int>(std::floor(pos.x() / m)), static_cast<int>(std::floor(pos.y() / m))};
}

void CanvasWidget::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = planePos(e->position());
    if (e->button() == Qt::LeftButton) {
        doc_.canvas.press(pos.x(), pos.y());
        setCursor(Qt::ClosedHandCursor);
    } else if (e->button() == Qt::RightButton) {
        repaintNow(); // also removes an earlier read-out
        drawReadOut(surface_, doc_.view, pos.x(), pos.y());
        update();
    }
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = planePos(e->position());
    if (doc_.canvas.move(pos.x(), pos.y(), doc_.view.pixelsPerUnit)) applyOrigin();
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    doc_.canvas.release();
    setCursor(Qt::OpenHandCursor);
}

} // namespace yhb
