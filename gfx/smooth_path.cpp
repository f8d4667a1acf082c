// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/smooth_path.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace yhb {

bool clipToFar(PathPoint& a, PathPoint& b) {
    if (std::fabs(a.x) <= kFar && std::fabs(a.y) <= kFar && std::fabs(b.x) <= kFar && std::fabs(b.y) <= kFar) return true;
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x + kFar, kFar - a.x, a.y + kFar, kFar - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, r);
        else t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    const PathPoint a0 = a;
    a = a0 + PathPoint{dx * t0, dy * t0};
    b = a0 + PathPoint{dx * t1, dy * t1};
    return true;
}

namespace {

// Leaves out the points that lie within `tolerance` of the chord between the points kept on
// either side of them (at most 24 in a row): a smoothed curve needs far fewer segments than
// it has samples.
std::vector<PathPoint> straighten(const std::vector<PathPoint>& pts, double tolerance) {
    if (pts.size() < 3) return pts;
    const double tol2 = tolerance * tolerance;
    std::vector<PathPoint> out{pts.front()};
    std::size_t anchor = 0;
    auto fits = [&](std::size_t to) { // every point between anchor and `to` near the chord
        const PathPoint a = pts[anchor], d = pts[to] - a;
        const double len2 = d.x * d.x + d.y * d.y;
        if (len2 == 0) return false;
        for (std::size_t j = anchor + 1; j < to; ++j) {
            const PathPoint e = pts[j] - a;
            const double cross = d.x * e.y - d.y * e.x, along = d.x * e.x + d.y * e.y;
            if (cross * cross > tol2 * len2 || along < 0 || along > len2) return false;
        }
        return true;
    };
    for (std::size_t i = 1; i + 1 < pts.size(); ++i)
        if (i + 1 - anchor > 24 || !fits(i + 1)) {
            out.push_back(pts[i]);
            anchor = i;
        }
    out.push_back(pts.back());
    return out;
}

} // namespace

// A sampled curve comes as whole logical pixels, a staircase once magnified. Drawn smoothed,
// each point of a chain of short steps (a few pixels at most) is drawn at the mean of itself
// and up to six neighbours either side, as many on each, so that the pen follows the curve
// rather than the steps; the ends of the polyline and of every longer segment (a jump, a
// straight line) stay exactly where they are.
std::vector<PathPoint> smoothSteps(const Point* pts, int count, double tolerance) {
    std::vector<Point> v;
    v.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        if (v.empty() || pts[i] != v.back()) v.push_back(pts[i]);
    std::vector<PathPoint> out;
    out.reserve(v.size());
    std::vector<long long> sumX, sumY;
    std::size_t i = 0;
    while (i < v.size()) {
        std::size_t end = i; // the chain v[i] .. v[end] of short steps
        while (end + 1 < v.size() && std::abs(v[end + 1].x - v[end].x) <= 4 && std::abs(v[end + 1].y - v[end].y) <= 4) ++end;
        sumX.assign(1, 0);
        sumY.assign(1, 0);
        for (std::size_t k = i; k <= end; ++k) { // running sums: any window's sum in two steps
            sumX.push_back(sumX.back() + v[k].x);
            sumY.push_back(sumY.back() + v[k].y);
        }
        for (std::size_t k = i; k <= end; ++k) {
            const std::size_t h = std::min<std::size_t>({6, k - i, end - k});
            const std::size_t lo = k - h - i, hi = k + h + 1 - i;
            const double n = double(2 * h + 1);
            out.push_back({double(sumX[hi] - sumX[lo]) / n, double(sumY[hi] - sumY[lo]) / n});
        }
        i = end + 1;
    }
    return straighten(out, tolerance);
}

} // namespace yhb
