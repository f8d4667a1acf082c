// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/sampling.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "plot/sampling_loop.h"

namespace yhb {

SampleDomain sampleDomain(DomainRule rule, const double* p) {
    SampleDomain d;
    auto both = [&](int centre) {
        d.stop[0] = d.stop[1] = true;
        d.centre = centre;
    };
    switch (rule) {
    case DomainRule::Everywhere: break;
    case DomainRule::AroundYAxis: both(0); break;
    case DomainRule::AroundX0: both(1); break;
    case DomainRule::AroundHalfMinusX0: both(2); break;
    case DomainRule::OpensRight: // v = 2px shrinks where p*x does
        d.stop[0] = !(p[0] > 0);
        d.stop[1] = !(p[0] < 0);
        break;
    case DomainRule::OpensLeft:
        d.stop[0] = !(p[0] < 0);
        d.stop[1] = !(p[0] > 0);
        break;
    case DomainRule::PositiveX: d.stop[1] = true; break; // lg x is not finite for x <= 0, whatever A is
    }
    return d;
}

namespace {

// ---- kept samples ------------------------------------------------------------------

struct Entry {
    Family kind = Family::None;
    int scale = 0;
    double params[10] = {};
    std::uint64_t lastUse = 0;
    bool used = false;
    SamplePass passes[2];
};

// Enough for every curve of a full table (five rows, two asymptotes each) and the rows an
// animation has just left behind.
constexpr std::size_t kKept = 16;

struct Cache {
    std::array<Entry, kKept> entries;
    std::uint64_t clock = 0;

    Entry& find(Family k, int scale, const double* p) {
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
        for (SamplePass& ps : e.passes) {
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
        const bool undefined = smp.py == kNoSample;
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
            if (!undefined && q != kNoSample && yLow <= q && q <= yHigh)
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

void sampleCurve(Surface& s, const ViewSettings& view, bool twoBranches, Family k, const double* params, Band band) {
    const int scale = view.pixelsPerUnit;
    const int n = 10 * scale;
    if (n <= 0) return;
    // Nothing is sampled unless the origin lies strictly inside the band.
    if (!(band.left < 0 && 0 < band.right)) return;
    const CurveSpec* curve = curveOf(k);
    if (!curve) return; // an unknown kind is undefined everywhere
    const double step = 1.0 / n;
    Entry& e = cache.find(k, scale, params);
    const SampleDomain dom = sampleDomain(curve->domain, params);
    curve->sample(e.passes[0], params, scale, step, 0, dom, band.right);
    curve->sample(e.passes[1], params, scale, step, 1, dom, band.left);
    for (int pass = 0; pass < 2; ++pass) drawPass(s, view, e.passes[pass].samples, twoBranches, curve->closed, band);
}

void clearSampleCache() {
    for (Entry& e : cache.entries) e.used = false; // the storage stays for the next curves
}

} // namespace yhb
