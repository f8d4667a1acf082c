// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/colour.h"

namespace yhb {

// A point of the plane, in coordinate units (y upwards).
struct PlanePoint {
    double x = 0;
    double y = 0;
};

using TrailStroke = std::vector<PlanePoint>;

// The trails a row's characteristic points left while a coefficient moved: polylines in plane
// coordinates, drawn under the curves in a lighter shade of the row's colour.
struct RowTrail {
    std::vector<TrailStroke> strokes;

    bool empty() const { return strokes.empty(); }
    std::size_t pointCount() const;
};

// A row keeps at most this many trail points, so that a lesson with five full rows stays far
// inside the size a lesson may have.
constexpr std::size_t kTrailPointLimit = 4000;
// Coordinates beyond this are no place a trail can be seen; such a position breaks the trail.
constexpr double kTrailCoordinateLimit = 1e9;

// One coefficient's run: the characteristic points at each position it reached, in the order
// of the positions, whatever order they were reached in, so that running back over a stretch
// adds nothing and a jump of the slider is filled in by whoever records.
class TrailRun {
public:
    // The points at position `key`, one per characteristic point in the family's order; a point
    // with a coordinate that is not finite (or is past the limit) is undefined there.
    void add(long key, const std::vector<PlanePoint>& points);
    bool has(long key) const { return samples_.count(key) != 0; }
    bool empty() const { return samples_.empty(); }
    // Positions recorded, times the points at each.
    std::size_t pointCount() const;
    // Each point's path in key order, broken where it is undefined; a point that never moved
    // leaves no stroke.
    std::vector<TrailStroke> strokes() const;

private:
    std::map<long, std::vector<PlanePoint>> samples_;
};

// The lighter shade of a row's colour that its trails are drawn in: halfway to white (dark grey
// for black, whose half shade is the canvas).
Colour trailColour(Colour rowColour);

// A trail in a lesson's `trail=` value: "X,Y;X,Y/X,Y;X,Y", strokes split by '/', points by ';',
// seven significant digits.
std::string trailText(const RowTrail& trail);
// False, with what is wrong in Chinese, for a value that is not such a text, has a coordinate
// that is no finite number within the limit, or more points than a row keeps.
bool readTrailText(std::string_view text, RowTrail& out, std::string& why);

} // namespace yhb
