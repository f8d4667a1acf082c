// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/qt/canvas_widget.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

#include "plot/qt/canvas_input.h"
#include "plot/view_fit.h"
#include "res/strings.h"

namespace yhb {

CanvasWidget::CanvasWidget(Document& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), image_(1, 1, QImage::Format_RGB32), surface_(&image_),
      input_(std::make_unique<CanvasInput>(*this)) {
    setObjectName(utf8String(StringId::FunctionClass));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_AcceptTouchEvents); // classroom boards: drag, pinch and long press
    setCursor(Qt::ArrowCursor);
    surface_.setBkMode(BkMode::Transparent);
    image_.fill(Qt::gray);
}

CanvasWidget::~CanvasWidget() = default;

double CanvasWidget::magnification() const { return doc_.view.presentation ? kPresentationMagnification : 1.0; }

bool CanvasWidget::refit() {
    dpr_ = devicePixelRatioF();
    presentation_ = doc_.view.presentation;
    surface_.setStyle(presentation_ ? presentationStyle(dpr_) : normalStyle(dpr_));
    const int w = width(), h = height();
    const int dw = static_cast<int>(std::lround(w * dpr_)), dh = static_cast<int>(std::lround(h * dpr_));
    if (dw > 0 && dh > 0 && (dw != image_.width() || dh != image_.height())) {
        // Not filled: the scene covers it all, and is drawn before the image is first shown.
        image_ = QImage(dw, dh, QImage::Format_RGB32);
        surface_.setTarget(&image_);
        drawn_ = false;
    }
    image_.setDevicePixelRatio(dpr_);
    const double m = magnification();
    // Maximising, 演示模式 and full screen keep in the middle what was there; halves are
    // taken the same way both ways, so that switching back returns to the very origin.
    return doc_.canvas.resizeKeepingCentre(static_cast<int>(w / m), static_cast<int>(h / m));
}

void CanvasWidget::restyle() {
    refit();
    applyOrigin();
}

QPointF CanvasWidget::planePosF(const QPointF& pos) const { return pos / magnification(); }

UnitPoint CanvasWidget::planeAt(QPointF pos) const {
    const QPointF p = planePosF(pos);
    return yhb::planeAt(doc_.canvas, doc_.view, p.x(), p.y());
}

void CanvasWidget::zoomAt(QPointF pos, bool in) {
    const QPointF p = planePosF(pos);
    if (zoomAbout(doc_.canvas, doc_.view, p.x(), p.y(), in, &anchor_)) applyOrigin();
}

void CanvasWidget::zoomAtPointer(bool in) {
    const QPoint at = mapFromGlobal(QCursor::pos());
    zoomAt(rect().contains(at) ? QPointF(at) : QPointF(width() / 2.0, height() / 2.0), in);
}

void CanvasWidget::fitView() {
    if (fitToCanvas(doc_.table, doc_.canvas, doc_.view)) applyOrigin();
}

void CanvasWidget::placeAt(UnitPoint plane, QPointF pos, int ppu) {
    const QPointF p = planePosF(pos);
    if (placePlanePoint(doc_.canvas, doc_.view, plane, p.x(), p.y(), ppu)) applyOrigin();
}

void CanvasWidget::readOutAt(QPointF at) {
    const QPoint pos = planePos(at);
    repaintNow(); // also removes an earlier read-out
    drawReadOut(surface_, doc_.view, pos.x(), pos.y());
    update();
}

void CanvasWidget::pressAt(QPointF at) {
    const QPoint pos = planePos(at);
    doc_.canvas.press(pos.x(), pos.y());
}

void CanvasWidget::dragTo(QPointF at) {
    const QPoint pos = planePos(at);
    if (doc_.canvas.move(pos.x(), pos.y(), doc_.view.pixelsPerUnit)) applyOrigin();
}

void CanvasWidget::releaseDrag() { doc_.canvas.release(); }

bool CanvasWidget::event(QEvent* e) {
    if (input_->event(e)) return true;
    return QWidget::event(e);
}

void CanvasWidget::wheelEvent(QWheelEvent* e) { input_->wheel(e); }

void CanvasWidget::repaintNow() {
    if (devicePixelRatioF() != dpr_ || doc_.view.presentation != presentation_) refit();
    paintDocument(surface_, doc_);
    drawn_ = true;
    update();
}

void CanvasWidget::applyOrigin() {
    surface_.setOrigin(doc_.canvas.originX, doc_.canvas.originY);
    repaintNow();
}

void CanvasWidget::paintEvent(QPaintEvent*) {
    if (devicePixelRatioF() != dpr_) restyle(); // moved to a screen of another ratio
    if (!drawn_) repaintNow();
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
    if (e->button() == Qt::LeftButton) {
        pressAt(e->position());
        setCursor(Qt::ClosedHandCursor);
    } else if (e->button() == Qt::RightButton) {
        readOutAt(e->position());
    }
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* e) { dragTo(e->position()); }

void CanvasWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    releaseDrag();
    setCursor(Qt::OpenHandCursor);
}

} // namespace yhb
