// SPDX-License-Identifier: GPL-3.0-or-later
// A sampled curve as the canvas shows it: drawn into a recording surface, read back as the
// polylines a user sees, and the way back from the canvas's pixels to the plane.
#pragma once
#include <string>
#include <vector>

#include "gfx/recording_surface.h"
#include "plot/sampling.h"

namespace yhb::test {

// One curve on one canvas: the canvas is w x h pixels with the coordinate origin at (ox, oy).
struct CurveView {
    Family kind = Family::None;
    bool twoBranches = false;
    double p[10] = {};
    int scale = 20;
    int w = 800, h = 600, ox = 400, oy = 300;
    bool dedupe = true;

    // The visible band in logical coordinates, as the canvas hands it to the plotter.
    Band band() const { return Band{-ox, h - oy, w - ox, -oy}; }
    ViewSettings view() const {
        ViewSettings v;
        v.pixelsPerUnit = scale;
        v.dedupePoints = dedupe;
        return v;
    }
    std::string describe() const {
        std::string out = "kind " + std::to_string(familyId(kind)) + " two " + std::to_string(twoBranches ? 1 : 0) + " scale " +
                          std::to_string(scale) + " canvas " + std::to_string(w) + "x" + std::to_string(h) + " origin " +
                          std::to_string(ox) + "," + std::to_string(oy) + (dedupe ? "" : " every point") + " p";
        char buf[40];
        for (double v : p) {
            std::snprintf(buf, sizeof buf, " %.17g", v);
            out += buf;
        }
        return out;
    }
};

inline RecordingSurface draw(const CurveView& c) {
    RecordingSurface s;
    s.setOrigin(c.ox, c.oy);
    sampleCurve(s, c.view(), c.twoBranches, c.kind, c.p, c.band());
    return s;
}

inline std::vector<std::vector<Point>> polylines(const RecordingSurface& s) {
    std::vector<std::vector<Point>> out;
    for (const auto* op : s.ofKind(RecordingSurface::Kind::Polyline))
        if (op->points.size() >= 2) out.push_back(op->points);
    return out;
}

// The plane values whose pixel value is `pixel` (truncated toward zero at `scale` pixels a
// unit): [lo, hi], widened a little for the rounding of the product.
struct Span {
    double lo, hi;
    double mid() const { return (lo + hi) / 2; }
};
inline Span planeSpan(int pixel, int scale) {
    const double s = scale, slack = 0.02 / s;
    return {(pixel > 0 ? pixel : pixel - 1) / s - slack, (pixel < 0 ? pixel : pixel + 1) / s + slack};
}

} // namespace yhb::test
