// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include "families/family_table.h"
#include "plot/loci.h"

namespace yhb {

// The points of a row that leave trails (留下轨迹): every point its check boxes can mark,
// ticked or not, in the order of its boxes and records, and for the general parabola, which has
// no boxes, its vertex. Always as many for a family; a point undefined at these coefficients
// (the foci of an ellipse with b > a) has NaN coordinates.
std::vector<PlanePoint> tracedPoints(const FamilySpec& family, const double* params);

} // namespace yhb
