// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QElapsedTimer>
#include <QPointF>
#include <QTimer>

#include "plot/view_zoom.h"

class QEvent;
class QNativeGestureEvent;
class QTouchEvent;
class QWheelEvent;

namespace yhb {

class CanvasWidget;

// The canvas's wheel, touchpad and touch-screen input. The wheel and a touchpad's pinch zoom
// in the zoom buttons' steps about the pointer. On a touch screen one finger drags the plane
// as the left button does, two fingers pinch to zoom about their centre and pan with it, and
// a finger held still reads the coordinates as the right button does.
class CanvasInput {
public:
    explicit CanvasInput(CanvasWidget& canvas);

    // Touch and native gesture events; true when taken.
    bool event(QEvent* e);
    void wheel(QWheelEvent* e);

    // How long a finger rests before the read-out, and how far it may wander meanwhile.
    static constexpr int kLongPressMs = 600;
    static constexpr double kLongPressSlop = 10;
    // A touchpad pinch of this ratio is one zoom step.
    static constexpr double kPinchStep = 1.15;

private:
    void touch(QTouchEvent* e);
    void nativeGesture(QNativeGestureEvent* e);
    void beginDrag(QPointF at);
    void beginPinch(QPointF a, QPointF b);

    CanvasWidget& canvas_;
    int wheelDelta_ = 0;       // eighths of a degree not yet taken as a step
    double pinchScale_ = 1.0;  // a touchpad pinch not yet taken as a step
    int fingers_ = 0;
    QPointF pressedAt_;
    QTimer longPress_;
    struct {
        double distance = 0;
        int pixelsPerUnit = 0;
        UnitPoint plane; // what lies under the fingers' centre stays under it
    } pinch_;
};

} // namespace yhb
