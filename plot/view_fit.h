// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include "plot/canvas_scene.h"
#include "plot/expression_table.h"
#include "plot/view_settings.h"
#include "plot/view_zoom.h"

namespace yhb {

// A rectangle of the plane in units.
struct PlaneBox {
    double left = 0, bottom = 0, right = 0, top = 0;
    void include(UnitPoint p);
    double width() const { return right - left; }
    double height() const { return top - bottom; }
};

// The points a row's curve is known by: its vertices, foci, centre, intercepts, a period
// either side of the axis for the periodic ones; for an unbounded curve, enough of it round
// these that its shape shows. Then the row's named points, and where its named lines cross
// the axes. Points that are no number are left out.
std::vector<UnitPoint> characteristicPoints(const ExpressionSlot& row);

// The plane the fitted view must show: the origin and every row's characteristic points.
PlaneBox sceneExtent(const ExpressionTable& table);

struct FittedView {
    int pixelsPerUnit = 20;
    int originX = 0, originY = 0;
};

// The largest of the zoom steps at which the scene's extent, with a margin on every side,
// fits a canvas of the given size, and the origin that centres it. An extent too large even
// at the least scale is centred as far as the origin stays in sight.
FittedView fitView(const ExpressionTable& table, int canvasWidth, int canvasHeight);

// The margin kept on each side of a fitted view, in canvas pixels.
int fitMargin(int canvasSide);

// 适合窗口: fits the view to the canvas. Returns false when the canvas has no size yet.
bool fitToCanvas(const ExpressionTable& table, CanvasView& canvas, ViewSettings& view);

} // namespace yhb
