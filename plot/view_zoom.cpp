// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/view_zoom.h"

#include <algorithm>
#include <cmath>

namespace yhb {

// The conditions are the buttons' own: a scale of 81 still grows, one of 5 no longer shrinks.
int zoomedIn(int ppu) { return ppu <= kGreatestScale - kZoomStep ? ppu + kZoomStep : ppu; }
int zoomedOut(int ppu) { return ppu >= kLeastScale + 2 ? ppu - kZoomStep : ppu; }

int nearestZoomStep(double ppu) {
    if (!std::isfinite(ppu)) return kLeastScale;
    const double steps = std::round(ppu / kZoomStep);
    return std::clamp(static_cast<int>(steps) * kZoomStep, kLeastScale, kGreatestScale);
}

UnitPoint planeAt(const CanvasView& c, const ViewSettings& v, double x, double y) {
    return {(x - c.originX) / v.pixelsPerUnit, (c.originY - y) / v.pixelsPerUnit};
}

bool placePlanePoint(CanvasView& c, ViewSettings& v, UnitPoint p, double x, double y, int ppu) {
    // Far beyond the canvas an origin would overflow the surfaces' pixel arithmetic.
    constexpr double kFar = 1 << 24;
    const int ox = static_cast<int>(std::lround(std::clamp(x - p.x * ppu, -kFar, kFar)));
    const int oy = static_cast<int>(std::lround(std::clamp(y + p.y * ppu, -kFar, kFar)));
    if (ox == c.originX && oy == c.originY && ppu == v.pixelsPerUnit) return false;
    c.originX = ox;
    c.originY = oy;
    v.pixelsPerUnit = ppu;
    return true;
}

bool zoomAbout(CanvasView& c, ViewSettings& v, double x, double y, bool in, ZoomAnchor* anchor) {
    const int ppu = in ? zoomedIn(v.pixelsPerUnit) : zoomedOut(v.pixelsPerUnit);
    if (ppu == v.pixelsPerUnit) return false;
    const bool same = anchor && anchor->valid && anchor->x == x && anchor->y == y && anchor->originX == c.originX &&
                      anchor->originY == c.originY && anchor->pixelsPerUnit == v.pixelsPerUnit;
    const UnitPoint plane = same ? anchor->plane : planeAt(c, v, x, y);
    const bool moved = placePlanePoint(c, v, plane, x, y, ppu);
    if (anchor) *anchor = {true, x, y, plane, c.originX, c.originY, v.pixelsPerUnit};
    return moved;
}

} // namespace yhb
