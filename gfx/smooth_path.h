// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include "gfx/surface.h"

namespace yhb {

// A point of a smoothed stroke, in device pixels.
struct PathPoint {
    double x = 0, y = 0;
    PathPoint operator+(const PathPoint& o) const { return {x + o.x, y + o.y}; }
    PathPoint operator-(const PathPoint& o) const { return {x - o.x, y - o.y}; }
};

// Smoothed strokes take device coordinates to int: anything farther out is clipped first.
constexpr double kFar = 1 << 22;

// Clips the segment to the square a smoothed stroke can take (device coordinates must fit an
// int); false when nothing of it lies inside.
bool clipToFar(PathPoint& a, PathPoint& b);

// The points a smoothed curve is drawn through: a sampled curve's staircase of whole logical
// pixels, each point of a chain of short steps moved to the mean of its neighbours, then the
// points within `tolerance` of a chord left out.
std::vector<PathPoint> smoothSteps(const Point* pts, int count, double tolerance);

} // namespace yhb
