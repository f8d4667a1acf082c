// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/qt/canvas_input.h"

#include <QLineF>
#include <QNativeGestureEvent>
#include <QTouchEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/qt/canvas_widget.h"

namespace yhb {

CanvasInput::CanvasInput(CanvasWidget& canvas) : canvas_(canvas) {
    longPress_.setSingleShot(true);
    longPress_.setInterval(kLongPressMs);
    QObject::connect(&longPress_, &QTimer::timeout, &canvas_, [this] {
        if (fingers_ != 1) return;
        canvas_.releaseDrag();
        canvas_.readOutAt(pressedAt_);
    });
}

bool CanvasInput::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        touch(static_cast<QTouchEvent*>(e));
        return true;
    case QEvent::NativeGesture:
        nativeGesture(static_cast<QNativeGestureEvent*>(e));
        return true;
    default:
        return false;
    }
}

// A notch (120) is a step; a touchpad's smaller deltas add up to one.
void CanvasInput::wheel(QWheelEvent* e) {
    wheelDelta_ += e->angleDelta().y();
    while (std::abs(wheelDelta_) >= 120) {
        const bool in = wheelDelta_ > 0;
        wheelDelta_ += in ? -120 : 120;
        canvas_.zoomAt(e->position(), in);
    }
    e->accept();
}

void CanvasInput::nativeGesture(QNativeGestureEvent* e) {
    if (e->gestureType() != Qt::ZoomNativeGesture) {
        if (e->gestureType() == Qt::BeginNativeGesture || e->gestureType() == Qt::EndNativeGesture) pinchScale_ = 1.0;
        return;
    }
    pinchScale_ *= 1.0 + e->value();
    while (pinchScale_ >= kPinchStep || pinchScale_ <= 1.0 / kPinchStep) {
        const bool in = pinchScale_ > 1.0;
        pinchScale_ = in ? pinchScale_ / kPinchStep : pinchScale_ * kPinchStep;
        canvas_.zoomAt(e->position(), in);
    }
    e->accept();
}

void CanvasInput::beginDrag(QPointF at) {
    pressedAt_ = at;
    canvas_.pressAt(at);
}

void CanvasInput::beginPinch(QPointF a, QPointF b) {
    canvas_.releaseDrag();
    pinch_.distance = std::max(1.0, QLineF(a, b).length());
    pinch_.pixelsPerUnit = canvas_.document().view.pixelsPerUnit;
    pinch_.plane = canvas_.planeAt((a + b) / 2);
}

void CanvasInput::touch(QTouchEvent* e) {
    std::vector<QPointF> down;
    for (const QEventPoint& p : e->points())
        if (p.state() != QEventPoint::Released) down.push_back(p.position());
    const int before = fingers_;
    fingers_ = e->type() == QEvent::TouchEnd || e->type() == QEvent::TouchCancel ? 0 : static_cast<int>(down.size());
    e->accept();

    if (fingers_ == 1) {
        if (before != 1) {
            // A first finger, or the one left after a pinch: the drag starts where it is.
            beginDrag(down[0]);
            if (before == 0) longPress_.start();
            return;
        }
        if (longPress_.isActive() && QLineF(pressedAt_, down[0]).length() > kLongPressSlop) longPress_.stop();
        if (!longPress_.isActive()) canvas_.dragTo(down[0]);
        return;
    }
    longPress_.stop();
    if (fingers_ >= 2) {
        if (before < 2) {
            beginPinch(down[0], down[1]);
            return;
        }
        const double ratio = QLineF(down[0], down[1]).length() / pinch_.distance;
        canvas_.placeAt(pinch_.plane, (down[0] + down[1]) / 2, nearestZoomStep(pinch_.pixelsPerUnit * ratio));
        return;
    }
    canvas_.releaseDrag();
}

} // namespace yhb
