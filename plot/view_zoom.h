// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "plot/canvas_scene.h"
#include "plot/view_settings.h"

namespace yhb {

// The zoom buttons' steps: 4 pixels a unit at a time, up to 84 and down to 4. Every other
// way of zooming (wheel, keys, pinch) takes the same steps.
constexpr int kZoomStep = 4;
constexpr int kLeastScale = 4;
constexpr int kGreatestScale = 84;
int zoomedIn(int pixelsPerUnit);
int zoomedOut(int pixelsPerUnit);
// The step nearest to `pixelsPerUnit` (a pinch asks for any scale).
int nearestZoomStep(double pixelsPerUnit);

// A point of the plane in units (y upwards).
struct UnitPoint {
    double x = 0, y = 0;
};

// The plane point under canvas pixel (x, y).
UnitPoint planeAt(const CanvasView& canvas, const ViewSettings& view, double x, double y);

// Sets the scale and moves the origin so that `point` lies under canvas pixel (x, y), as
// near as whole pixels allow. Returns false when nothing changed.
bool placePlanePoint(CanvasView& canvas, ViewSettings& view, UnitPoint point, double x, double y, int pixelsPerUnit);

// Successive zooms at one pointer position keep the very plane point they began with,
// instead of the one the last step's rounded origin puts there, so that it does not drift.
struct ZoomAnchor {
    bool valid = false;
    double x = 0, y = 0;
    UnitPoint plane;
    int originX = 0, originY = 0, pixelsPerUnit = 0; // as the last zoom left them
};

// One step in or out about canvas pixel (x, y): the plane point there stays there.
bool zoomAbout(CanvasView& canvas, ViewSettings& view, double x, double y, bool in, ZoomAnchor* anchor = nullptr);

} // namespace yhb
