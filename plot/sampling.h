// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "gfx/surface.h"
#include "plot/curve.h"
#include "plot/plotter.h"
#include "plot/view_settings.h"

namespace yhb {

// PlotOp 1074: samples the family ten times a pixel outwards from the y axis and draws the
// runs that lie in the band, ending each cut run on the band's edge.
//
// The evaluated samples of a curve depend only on its kind, its parameters and the scale, not
// on the band: they are kept for the curves drawn last, so that moving the origin or changing
// one row redraws the others without evaluating them again. A pass stops evaluating once the
// curve is past its domain (the value under the root only shrinks outwards).
void sampleCurve(Surface& s, const ViewSettings& view, bool twoBranches, Family kind, const double* params, Band band);

// Forgets the kept samples (for measuring the evaluation itself).
void clearSampleCache();

} // namespace yhb
