// SPDX-License-Identifier: GPL-3.0-or-later
#include "families/trail_points.h"

#include <cmath>
#include <limits>

namespace yhb {

std::vector<PlanePoint> tracedPoints(const FamilySpec& family, const double* p) {
    std::vector<PlanePoint> out;
    if (family.kind == Family::ParabolaGeneral) {
        // y = Ax² + Bx + C turns at x = -B / 2A; a straight line (A = 0) has no vertex.
        const double a = p[0], b = p[1], c = p[2];
        const double x = a != 0 ? -b / (2 * a) : std::numeric_limits<double>::quiet_NaN();
        out.push_back({x, a * x * x + b * x + c});
        return out;
    }
    if (!family.records) return out;
    // The records write into a row; a scratch one is made once, its labels never touched.
    static thread_local ExpressionSlot scratch;
    for (const BoxSpec& box : family.boxes) {
        scratch.extraCount = 0;
        RecordSink sink(scratch, box.id);
        family.records(box.id, p, sink);
        for (int j = 0; j < scratch.extraCount; ++j)
            if (scratch.extras[j].plotOp == PlotOp::PointMark) out.push_back({scratch.extras[j].params[0], scratch.extras[j].params[1]});
    }
    return out;
}

} // namespace yhb
