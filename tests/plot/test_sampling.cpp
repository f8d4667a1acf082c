// SPDX-License-Identifier: GPL-3.0-or-later
// The sampled curves drawn by the plotter against the plain loop it replaced: one evaluation
// through the family switch per sample, every pass sampled to the band's edge, nothing kept
// between calls. Whatever the parameters, band, scale or order of calls, the operations
// handed to the surface must be the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <random>

#include "gfx/recording_surface.h"
#include "plot/curve.h"
#include "plot/plotter.h"
#include "plot/sampling.h"

using namespace yhb;

namespace reference {

int samplePixel(double v) {
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= -static_cast<double>(INT_MAX)) return -INT_MAX;
    return static_cast<int>(v);
}

class Run {
public:
    Run(Surface& s, bool dedupe) : s_(s), dedupe_(dedupe) {}
    void append(Point p) {
        if (dedupe_ && n_ > 0 && pts_[n_ - 1] == p) return;
        if (n_ == kRunCapacity) {
            flush();
            pts_[0] = pts_[kRunCapacity - 1];
            n_ = 1;
        }
        pts_[n_++] = p;
    }
    void flush() {
        if (n_ >= 2) s_.polyline(pts_.data(), n_);
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
    std::array<Point, kRunCapacity> pts_;
};

class LowerRun {
public:
    LowerRun(Surface& s, bool dedupe) : s_(s), dedupe_(dedupe) {}
    void append(Point lower, Point join) {
        if (!(dedupe_ && k_ > 0 && pts_[k_ - 1] == lower)) {
            if (k_ == kRunCapacity - 1) {
                if (k_ >= 2) s_.polyline(pts_.data(), k_);
                pts_[0] = pts_[k_ - 1];
                k_ = 1;
            }
            pts_[k_++] = lower;
        }
        pts_[k_] = join;
    }
    bool any() const { return k_ > 0; }
    void drawAndEmpty(bool withJoin) {
        int n = withJoin ? k_ + 1 : k_;
        if (n >= 2) s_.polyline(pts_.data(), n);
        k_ = 0;
    }

private:
    Surface& s_;
    bool dedupe_;
    int k_ = 0;
    std::array<Point, kRunCapacity> pts_;
};

void sampleCurve(Surface& s, const ViewSettings& view, int twoBranches, int kind, const double* params, Band band) {
    const int scale = view.pixelsPerUnit;
    const int n = 10 * scale;
    if (n <= 0) return;
    const double step = 1.0 / n;
    const int yLow = -band.bottom;
    const int yHigh = -band.top;
    const bool closed = isClosedCurve(kind);
    for (int pass = 0; pass < 2; ++pass) {
        auto upper = std::make_unique<Run>(s, view.dedupePoints);
        auto lower = std::make_unique<LowerRun>(s, view.dedupePoints);
        double x = 0.0;
        int px = 0;
        bool anyFirst = false;
        while (band.left < px && px < band.right) {
            double y2 = 0.0;
            int undefined = 0;
            double y1 = evaluateCurve(kind, params, x, y2, undefined);
            if (!std::isfinite(y1)) undefined = 1;
            px = static_cast<int>(scale * x);
            int py = undefined ? 0 : samplePixel(scale * y1);
            if (!undefined && yLow <= py && py <= yHigh) {
                upper->append({px, -py});
                anyFirst = true;
            } else if (!upper->empty()) {
                if (!undefined) {
                    py = py > yHigh ? yHigh : yLow;
                    upper->append({px, -py});
                }
                upper->drawAndEmpty();
            }
            if (twoBranches == 1) {
                int q = std::isfinite(y2) ? samplePixel(scale * y2) : 0;
                if (!undefined && std::isfinite(y2) && yLow <= q && q <= yHigh) {
                    lower->append({px, -q}, {px, -py});
                } else if (lower->any()) {
                    lower->drawAndEmpty(closed && anyFirst && undefined); // joined where the curve ends
                }
            }
            x = pass == 0 ? x + step : x - step;
        }
        upper->drawAndEmpty();
        if (twoBranches == 1) lower->drawAndEmpty(false); // cut by the band's side, not closed
    }
}

} // namespace reference

namespace {

const std::array<int, 23> kKinds = {
    kind::SlopeIntercept, kind::PointSlope,   kind::TwoPoint,       kind::Intercept,      kind::GeneralLine,
    kind::Sin,            kind::Cos,          kind::Tan,            kind::EllipseX,       kind::EllipseY,
    kind::HyperbolaX,     kind::HyperbolaY,   kind::ParabolaRight,  kind::ParabolaLeft,   kind::ParabolaUp,
    kind::ParabolaDown,   kind::ParabolaGeneral, kind::CircleOrigin, kind::CircleCentre,  kind::CircleGeneral,
    kind::Exponential,    kind::Logarithm,    4711};

struct Case {
    int kind = 0;
    int twoBranches = 0;
    double p[10] = {};
    ViewSettings view;
    Band band{};
};

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    double uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }

    // Mostly the values teachers type, now and then the ones that break arithmetic.
    double parameter() {
        switch (pick(20)) {
        case 0: return 0.0;
        case 1: return -0.0;
        case 2: return std::numeric_limits<double>::quiet_NaN();
        case 3: return pick(2) ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
        case 4: return (pick(2) ? 1 : -1) * std::pow(10.0, uniform(-320, -5)); // tiny and denormal
        case 5: return (pick(2) ? 1 : -1) * std::pow(10.0, uniform(5, 308));   // huge, around the overflow of a square
        case 6: return (pick(2) ? 1 : -1) * 1e100;                           // where the early stop gives up
        case 7: return std::round(uniform(-20, 20) * 10) / 10;
        default: return uniform(-12, 12);
        }
    }

    Case next() {
        Case c;
        c.kind = kKinds[static_cast<std::size_t>(pick(static_cast<int>(kKinds.size())))];
        const bool rooted = (c.kind >= kind::EllipseX && c.kind <= kind::ParabolaLeft) || c.kind == kind::EllipseY ||
                            (c.kind >= kind::CircleOrigin && c.kind <= kind::CircleGeneral);
        c.twoBranches = (pick(8) == 0) != rooted ? 1 : 0; // now and then the other way round
        for (double& v : c.p) v = parameter();
        const int scales[] = {1, 4, 8, 20, 20, 20, 40, 84, 300};
        c.view.pixelsPerUnit = scales[pick(9)];
        c.view.dedupePoints = pick(5) != 0;
        const int w = 1 + pick(1200), h = 1 + pick(900);
        // The origin mostly inside, sometimes on or beyond an edge.
        const int ox = pick(6) == 0 ? pick(3 * w) - w : pick(w + 1), oy = pick(6) == 0 ? pick(3 * h) - h : pick(h + 1);
        c.band = Band{-ox, h - oy, w - ox, -oy};
        return c;
    }

private:
    std::mt19937 rng_;
};

std::string traceOf(void (*sample)(Surface&, const ViewSettings&, int, int, const double*, Band), const Case& c) {
    RecordingSurface s;
    sample(s, c.view, c.twoBranches, c.kind, c.p, c.band);
    return s.trace();
}

std::string describe(const Case& c) {
    std::string out = "kind " + std::to_string(c.kind) + " two " + std::to_string(c.twoBranches) + " scale " +
                      std::to_string(c.view.pixelsPerUnit) + " band " + std::to_string(c.band.left) + "," +
                      std::to_string(c.band.top) + "," + std::to_string(c.band.right) + "," +
                      std::to_string(c.band.bottom) + " p";
    char buf[40];
    for (double v : c.p) {
        std::snprintf(buf, sizeof buf, " %.17g", v);
        out += buf;
    }
    return out;
}

} // namespace

// Random curves, each drawn once with nothing kept from before.
TEST(Sampling, DrawsWhatThePlainLoopDrew) {
    Generator g(20261207);
    for (int i = 0; i < 3000; ++i) {
        const Case c = g.next();
        clearSampleCache();
        ASSERT_EQ(traceOf(sampleCurve, c), traceOf(reference::sampleCurve, c)) << describe(c);
    }
}

// Drags and animations: the same curves again and again under moving bands, other scales
// and other curves in between, so that kept samples are reused, extended and evicted.
TEST(Sampling, KeptSamplesDrawWhatFreshOnesWould) {
    Generator g(7);
    std::vector<Case> scene;
    for (int i = 0; i < 24; ++i) scene.push_back(g.next());
    for (int round = 0; round < 4000; ++round) {
        Case c = scene[static_cast<std::size_t>(g.pick(static_cast<int>(scene.size())))];
        const Case fresh = g.next();
        switch (g.pick(4)) {
        case 0: c.band = fresh.band; break;                            // dragged or resized
        case 1: c.view.pixelsPerUnit = fresh.view.pixelsPerUnit; break; // zoomed
        case 2: c.p[g.pick(3)] = fresh.p[0]; break;                    // a coefficient moved
        default: break;                                                // drawn again as it was
        }
        ASSERT_EQ(traceOf(sampleCurve, c), traceOf(reference::sampleCurve, c)) << round << ": " << describe(c);
    }
}

// The curves that stop early, at the parameters around which the stop changes.
TEST(Sampling, EarlyStopAtTheEdgesOfItsDomain) {
    const Band wide{-2000, 300, 2000, -300};
    const double edges[] = {0.0, -0.0, 1e-320, -1e-320, 1e-160, 0.05, 1, 3, -3, 1e100, -1e100, 1.0000000000000002e100, 1e155,
                            std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    for (int k : {kind::EllipseX, kind::EllipseY, kind::CircleOrigin, kind::CircleCentre, kind::CircleGeneral,
                  kind::ParabolaRight, kind::ParabolaLeft, kind::Logarithm})
        for (double a : edges)
            for (double b : edges) {
                Case c;
                c.kind = k;
                c.twoBranches = k == kind::Logarithm ? 0 : 1;
                c.p[0] = a;
                c.p[1] = b;
                c.p[2] = 2;
                c.band = wide;
                clearSampleCache();
                ASSERT_EQ(traceOf(sampleCurve, c), traceOf(reference::sampleCurve, c)) << describe(c);
            }
}

// The early stop is what makes an ellipse cheap: it evaluates only across its own width.
TEST(Sampling, AnEllipseIsNotSampledBeyondItsVertices) {
    struct Counting : NullSurface {
        void polyline(const Point* pts, int n) override { last = std::max(last, std::abs(pts[n - 1].x)); }
        int last = 0;
    } s;
    clearSampleCache();
    double p[10] = {5, 4};
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < 200; ++i) {
        p[1] = 4 + i * 1e-9; // a new curve every time
        sampleCurve(s, ViewSettings{}, 1, kind::EllipseX, p, Band{-100000, 300, 100000, -300});
    }
    const double perCurve = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / 200;
    EXPECT_NEAR(s.last, 100, 2); // x = 5 at scale 20
    // 2 x 1 000 000 samples to the band's edges would take milliseconds.
    EXPECT_LT(perCurve, 1e-3);
}
