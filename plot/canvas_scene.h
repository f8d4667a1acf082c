// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "gfx/surface.h"
#include "plot/expression_table.h"
#include "plot/view_settings.h"

namespace yhb {

// Where the origin sits on the canvas and how the mouse moves it. Positions are canvas pixels.
class CanvasView {
public:
    // Returns true when the origin was centred (the first non-empty size): apply and repaint.
    bool resize(int width, int height);
    // The window's canvas when it changes size later: the plane point at the centre stays
    // at the centre. Returns true as resize does.
    bool resizeKeepingCentre(int width, int height);
    void press(int x, int y);
    // Returns true when the origin moved: apply and repaint. The origin stays a unit inside
    // the canvas; one that a zoom or a fit left outside may be dragged back, not further out.
    bool move(int x, int y, int pixelsPerUnit);
    void release() { dragging = false; }

    int originX = 0;
    int originY = 0;
    int canvasWidth = 0;
    int canvasHeight = 0;
    int firstSize = 1;
    bool dragging = false;
    int lastX = 0;
    int lastY = 0;
};

// Told which extra the scene draws next, so that a notation can caption it its own way.
class SceneObserver {
public:
    virtual ~SceneObserver() = default;
    virtual void extra(const ExpressionSlot& row, int index) = 0;
};

// The whole scene: background, every row in use with its extras, axes, ticks and numbers.
// Draws around the surface's current origin. A row's curve, marks and captions are in the
// row's colour.
void paintCanvas(Surface& s, const ExpressionTable& table, const ViewSettings& view, int canvasWidth,
                 int canvasHeight, SceneObserver* observer = nullptr);

// The right-click read-out: the plane coordinates of the mouse position, written beside it.
void drawReadOut(Surface& s, const ViewSettings& view, int mouseX, int mouseY);

} // namespace yhb
