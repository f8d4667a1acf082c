// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "plot/plot_op.h"
#include "gfx/surface.h"
#include "plot/curve.h"
#include "plot/view_settings.h"

namespace yhb {


// The visible band in logical coordinates: left < 0 < right when the origin is inside it.
struct Band {
    int left, bottom, right, top;
};

constexpr int kRunCapacity = 10000;

// Draws one record (a row's curve or one of its extra points and lines) with the surface's
// current pen and text colour.
void plot(Surface& s, const ViewSettings& view, bool twoBranches, PlotOp op, Family kind, const double* params, Band band);

} // namespace yhb
