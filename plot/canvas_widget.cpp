#include "plot/canvas_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace yhb {

CanvasWidget::CanvasWidget(Document& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), image_(1, 1, QImage::Format_RGB32), surface_(&image_) {
    setObjectName("Function");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    surface_.setBkMode(BkMode::Transparent);
    image_.fill(Qt::gray);
}

void CanvasWidget::repaintNow() {
    paintCanvas(surface_, doc_.table, doc_.view, doc_.canvas.canvasWidth, doc_.canvas.canvasHeight);
    update();
}

void CanvasWidget::applyOrigin() {
    surface_.setOrigin(doc_.canvas.originX, doc_.canvas.originY);
    repaintNow();
}

void CanvasWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void CanvasWidget::resizeEvent(QResizeEvent*) {
    const int w = width(), h = height();
    if (w > 0 && h > 0 && (w != image_.width() || h != image_.height())) {
        image_ = QImage(w, h, QImage::Format_RGB32);
        image_.fill(Qt::gray);
        surface_.setTarget(&image_);
    }
    if (doc_.canvas.resize(w, h)) applyOrigin();
}

void CanvasWidget::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
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
    const QPoint pos = e->position().toPoint();
    if (doc_.canvas.move(pos.x(), pos.y(), doc_.view.pixelsPerUnit)) applyOrigin();
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    doc_.canvas.release();
    setCursor(Qt::OpenHandCursor);
}

} // namespace yhb
