// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "gfx/surface.h"
#include "plot/view_settings.h"

namespace yhb {

namespace plotop {
constexpr int Curve = 1074, PointMark = 1075, VerticalLine = 1076, HorizontalLine = 1077, Circle = 1078;
}

// The visible band in logical coordinates: left < 0 < right when the origin is inside it.
struct Band {
    int left, bottom, right, top;
};

constexpr int kRunCapacity = 10000;

// Draws one record (a row's curve or one of its extra points and lines) with the surface's
// current pen and text colour.
void plot(Surface& s, const ViewSettings& view, int twoBranches, int op, int kind, const double* params, Band band);

} // namespace yhb
