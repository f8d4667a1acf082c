// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/sampling.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "plot/curve.h"

namespace yhb {
namespace {

// Pixel value for the sampling: out-of-range values saturate, so they count as above or
// below the band; INT_MIN is avoided so that negating stays defined.
int samplePixel(double v) {
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= -static_cast<double>(INT_MAX)) return -INT_MAX;
    return static_cast<int>(v);
}

// Marks an undefined first value or a second value that is not finite; samplePixel never
// gives it.
constexpr int kNone = INT_MIN;

struct Sample {
    int px;
    int py; // kNone: undefined
    int q;  // kNone: the second value is not finite
};

// One pass of one curve, as far as it has been evaluated.
struct Pass {
    std::vector<Sample> samples;
    double x = 0.0;     // where the next sample is taken
    bool ended = false; // past the domain: no later sample is defined
};

using Eval = double (*)(const double*, double, double&, int&);

// Where a pass may stop: once a sample is undefined on the far side of the curve's centre,
// every later one is too, because the value under the root only shrinks outwards. This holds
// in floating point as well, since each rounded operation is monotonic; parameters that are
// not finite, or whose squares overflow, only make more samples undefined.
struct Domain {
    bool stop[2] = {false, false}; // per pass
    int centre = 0;                // 0: the y axis; 1: x = p0; 2: x = -p0/2
};

Domain domainOf(int k, const double* p) {
    Domain d;
    auto both = [&](int centre) {
        d.stop[0] = d.stop[1] = true;
        d.centre = centre;
    };
    switch (k) {
    case kind::EllipseX:
    case kind::EllipseY:
    case kind::CircleOrigin: both(0); break;
    case kind::CircleCentre: both(1); break;
    case kind::CircleGeneral: both(2); break;
    case kind::ParabolaRight: // v = 2px shrinks where p*x does
        d.stop[0] = !(p[0] > 0);
        d.stop[1] = !(p[0] < 0);
        break;
    case kind::ParabolaLeft:
        d.stop[0] = !(p[0] < 0);
        d.stop[1] = !(p[0] > 0);
        break;
    case kind::Logarithm: d.stop[1] = true; break; // lg x is not finite for x <= 0, whatever A is
    default: break;
    }
    return d;
}

bool pastCentre(const Domain& d, const double* p, int pass, double x) {
    double u = x;
    if (d.centre == 1) u = x - p[0];
    else if (d.centre == 2) u = x + p[0] / 2;
    return pass == 0 ? u >= 0 : u <= 0;
}

template <Eval F>
void extendPass(Pass& ps, const double* p, int scale, double step, int pass, const Domain& dom, int until) {
    double x = ps.x;
    int px = ps.samples.empty() ? 0 : ps.samples.back().px;
    // The pass samples while the latest pixel is inside; here only the far end matters.
    while (!ps.ended && (pass == 0 ? px < until : px > until)) {
        double y2 = 0.0;
        int undefined = 0;
        double y1 = F(p, x, y2, undefined);
        if (!std::isfinite(y1)) undefined = 1;
        px = static_cast<int>(scale * x);
        Sample smp{px, undefined ? kNone : samplePixel(scale * y1), std::isfinite(y2) ? samplePixel(scale * y2) : kNone};
        ps.samples.push_back(smp);
        if (undefined && dom.stop[pass] && pastCentre(dom, p, pass, x)) ps.ended = true;
        x = pass == 0 ? x + step : x - step;
    }
    ps.x = x;
}

using Extend = void (*)(Pass&, const double*, int, double, int, const Domain&, int);

// The loop specialised per family, so that a sample costs no dispatch.
template <Eval F>
constexpr Extend extender() {
    return &extendPass<F>;
}

Extend extenderOf(int k) {
    switch (k) {
    case kind::SlopeIntercept: return extender<curve::slopeIntercept>();
    case kind::PointSlope: return extender<curve::pointSlope>();
    case kind::TwoPoint: return extender<curve::twoPoint>();
    case kind::Intercept: return extender<curve::intercept>();
    case kind::GeneralLine: return extender<curve::generalLine>();
    case kind::Sin: return extender<curve::sine>();
    case kind::Cos: return extender<curve::cosine>();
    case kind::Tan: return extender<curve::tangent>();
    case kind::EllipseX: return extender<curve::ellipseX>();
    case kind::EllipseY: return extender<curve::ellipseY>();
    case kind::HyperbolaX: return extender<curve::hyperbolaX>();
    case kind::HyperbolaY: return extender<curve::hyperbolaY>();
    case kind::ParabolaRight: return extender<curve::parabolaRight>();
    case kind::ParabolaLeft: return extender<curve::parabolaLeft>();
    case kind::ParabolaUp: return extender<curve::parabolaUp>();
    case kind::ParabolaDown: return extender<curve::parabolaDown>();
    case kind::ParabolaGeneral: return extender<curve::parabolaGeneral>();
    case kind::CircleOrigin: return extender<curve::circleOrigin>();
    case kind::CircleCentre: return extender<curve::circleCentre>();
    case kind::CircleGeneral: return extender<curve::circleGeneral>();
    case kind::Exponential: return extender<curve::exponential>();
    case kind::Logarithm: return extender<curve::logarithm>();
    default: return nullptr;
    }
}

// ---- kept samples ------------------------------------------------------------------

struct Entry {
    int kind = 0;
    int scale = 0;
    double params[10] = {};
    std::uint64_t lastUse = 0;
    bool used = false;
    Pass passes[2];
};

// Enough for every curve of a full table (five rows, two asymptotes each) and the rows an
// animation has just left behind.
constexpr std::size_t kKept = 16;

struct Cache {
    std::array<Entry, kKept> entries;
    std::uint64_t clock = 0;

    Entry& find(int k, int scale, const double* p) {
        Entry* victim = &entries[0];
        for (Entry& e : entries) {
            if (e.used && e.kind == k && e.scale == scale && std::memcmp(e.params, p, sizeof e.params) == 0) {
                e.lastUse = ++clock;
                return e;
            }
            if (!e.used || (victim->used && e.lastUse < victim->lastUse)) victim = &e;
        }
        Entry& e = *victim;
        e.used = true;
        e.kind = k;
        e.scale = scale;
        std::memcpy(e.params, p, sizeof e.params);
        e.lastUse = ++clock;
        for (Pass& ps : e.passes) {
            ps.samples.clear(); // keeps the capacity: a steady animation allocates nothing
            ps.x = 0.0;
            ps.ended = false;
        }
        return e;
    }
};

thread_local Cache cache;

// ---- drawing -------------------------------------------------------------------------

class Run {
public:
    Run(Surface& s, bool dedupe, Point* storage) : s_(s), dedupe_(dedupe), pts_(storage) {}
    void append(Point p) {
        if (dedupe_ && n_ > 0 && pts_[(n_ - 1)] == p) return;
        if (n_ == kRunCapacity) {
            // Full: draw what we have and go on from its last point.
            flush();
            pts_[0] = pts_[kRunCapacity - 1];
            n_ = 1;
        }
        pts_[(n_++)] = p;
    }
    void flush() {
        if (n_ >= 2) s_.polyline(pts_, n_);
    }
    void drawAndEmpty() {
        flush();
        n_ = 0;
    }
    bool empty() const { return n_ == 0; }

private:
    Surface& s_;
    bool dedupe_;
    int n_ = 0;
    Point* pts_; // kRunCapacity points
};

// The second branch: k points followed by one joining point (the first branch's latest).
class LowerRun {
public:
    LowerRun(Surface& s, bool dedupe, Point* storage) : s_(s), dedupe_(dedupe), pts_(storage) {}
    void append(Point lower, Point join) {
        if (!(dedupe_ && k_ > 0 && pts_[(k_ - 1)] == lower)) {
            if (k_ == kRunCapacity - 1) {
                if (k_ >= 2) s_.polyline(pts_, k_);
                pts_[0] = pts_[(k_ - 1)];
                k_ = 1;
            }
            pts_[(k_++)] = lower;
        }
        pts_[(k_)] = join;
    }
    bool any() const { return k_ > 0; }
    void drawAndEmpty(bool withJoin) {
        int n = withJoin ? k_ + 1 : k_;
        if (n >= 2) s_.polyline(pts_, n);
        k_ = 0;
    }

private:
    Surface& s_;
    bool dedupe_;
    int k_ = 0;
    Point* pts_; // kRunCapacity points
};

// The fixed run buffers, allocated once so that drawing allocates nothing.
struct Storage {
    std::array<Point, kRunCapacity> upper;
    std::array<Point, kRunCapacity> lower;
};

void drawPass(Surface& s, const ViewSettings& view, const std::vector<Sample>& samples, bool twoBranches, bool closed,
              Band band) {
    static thread_local Storage storage;
    Run upper(s, view.dedupePoints, storage.upper.data());
    LowerRun lower(s, view.dedupePoints, storage.lower.data());
    const int yLow = -band.bottom;
    const int yHigh = -band.top;
    bool anyFirst = false;
    int px = 0;
    for (std::size_t i = 0; i < samples.size() && band.left < px && px < band.right; ++i) {
        const Sample& smp = samples[i];
        px = smp.px;
        const bool undefined = smp.py == kNone;
        int py = undefined ? 0 : smp.py;
        if (!undefined && yLow <= py && py <= yHigh) {
            upper.append({px, -py});
            anyFirst = true;
        } else if (!upper.empty()) {
            if (!undefined) {
                py = py > yHigh ? yHigh : yLow; // the run ends on the band's edge
                upper.append({px, -py});
            }
            upper.drawAndEmpty();
        }
        if (twoBranches) {
            const int q = smp.q;
            if (!undefined && q != kNone && yLow <= q && q <= yHigh)
                lower.append({px, -q}, {px, -py});
            else if (lower.any())
                // The branches meet only where the curve ends (its next sample is undefined);
                // a lower branch leaving the band at the top or bottom goes on out of sight.
                lower.drawAndEmpty(closed && anyFirst && undefined);
        }
    }
    upper.drawAndEmpty();
    // Stopped at the band's side with the curve still going on beyond it: nothing to join.
    if (twoBranches) lower.drawAndEmpty(false);
}

} // namespace

void sampleCurve(Surface& s, const ViewSettings& view, bool twoBranches, int k, const double* params, Band band) {
    const int scale = view.pixelsPerUnit;
    const int n = 10 * scale;
    if (n <= 0) return;
    // Nothing is sampled unless the origin lies strictly inside the band.
    if (!(band.left < 0 && 0 < band.right)) return;
    const Extend extend = extenderOf(k);
    if (!extend) return; // an unknown kind is undefined everywhere
    const double step = 1.0 / n;
    const bool closed = isClosedCurve(k);
    Entry& e = cache.find(k, scale, params);
    const Domain dom = domainOf(k, params);
    extend(e.passes[0], params, scale, step, 0, dom, band.right);
    extend(e.passes[1], params, scale, step, 1, dom, band.left);
    for (int pass = 0; pass < 2; ++pass) drawPass(s, view, e.passes[pass].samples, twoBranches, closed, band);
}

void clearSampleCache() {
    for (Entry& e : cache.entries) e.used = false; // the storage stays for the next curves
}

} // namespace yhb
