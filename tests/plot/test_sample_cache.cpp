// SPDX-License-Identifier: GPL-3.0-or-later
// The samples kept between paints: a drag, a zoom or a moved coefficient draws exactly what a
// first paint of the same curve would; and the early stop at the edge of a family's domain
// leaves out nothing that the evaluation says is there, and keeps an ellipse cheap.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <thread>

#include "allocation_count.h"
#include "golden_trace.h"
#include "plot/curve.h"
#include "sampling_helpers.h"

using namespace yhb;
using test::CurveView;

namespace {

const std::array<Family, 23> kKinds = {
    Family::SlopeIntercept, Family::PointSlope,   Family::TwoPoint,       Family::Intercept,      Family::GeneralLine,
    Family::Sin,            Family::Cos,          Family::Tan,            Family::EllipseX,       Family::EllipseY,
    Family::HyperbolaX,     Family::HyperbolaY,   Family::ParabolaRight,  Family::ParabolaLeft,   Family::ParabolaUp,
    Family::ParabolaDown,   Family::ParabolaGeneral, Family::CircleOrigin, Family::CircleCentre,  Family::CircleGeneral,
    Family::Exponential,    Family::Logarithm,    static_cast<Family>(4711)};

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

    CurveView next() {
        CurveView c;
        c.kind = kKinds[static_cast<std::size_t>(pick(static_cast<int>(kKinds.size())))];
        const bool rooted = c.kind == Family::EllipseX || c.kind == Family::EllipseY || c.kind == Family::HyperbolaX ||
                            c.kind == Family::HyperbolaY || c.kind == Family::ParabolaRight || c.kind == Family::ParabolaLeft ||
                            c.kind == Family::CircleOrigin || c.kind == Family::CircleCentre || c.kind == Family::CircleGeneral;
        c.twoBranches = (pick(8) == 0) != rooted; // now and then the other way round
        for (double& v : c.p) v = parameter();
        const int scales[] = {1, 4, 8, 20, 20, 20, 40, 84, 300};
        c.scale = scales[pick(9)];
        c.dedupe = pick(5) != 0;
        c.w = 1 + pick(1200), c.h = 1 + pick(900);
        // The origin mostly inside, sometimes on or beyond an edge.
        c.ox = pick(6) == 0 ? pick(3 * c.w) - c.w : pick(c.w + 1);
        c.oy = pick(6) == 0 ? pick(3 * c.h) - c.h : pick(c.h + 1);
        return c;
    }

private:
    std::mt19937 rng_;
};

// The curve drawn by a thread of its own, with nothing kept from any paint before.
std::string freshTrace(const CurveView& c) {
    std::string trace;
    std::thread([&] {
        clearSampleCache();
        trace = test::draw(c).trace();
    }).join();
    return trace;
}

} // namespace

// Drags and animations: the same curves again and again under moving canvases, other scales
// and other curves in between, so that kept samples are reused, extended and evicted. Whatever
// the parameters, nothing is drawn beside the canvas, and only a closed curve's joining point
// (the last of a lower branch) may lie above or below it.
TEST(KeptSamples, DrawWhatAFirstPaintWould) {
    Generator g(7);
    std::vector<CurveView> scene;
    for (int i = 0; i < 24; ++i) scene.push_back(g.next());
    clearSampleCache();
    for (int round = 0; round < 3000; ++round) {
        CurveView c = scene[static_cast<std::size_t>(g.pick(static_cast<int>(scene.size())))];
        const CurveView other = g.next();
        switch (g.pick(4)) {
        case 0: c.w = other.w, c.h = other.h, c.ox = other.ox, c.oy = other.oy; break; // dragged or resized
        case 1: c.scale = other.scale; break;                                            // zoomed
        case 2: c.p[g.pick(3)] = other.p[0]; break;                                      // a coefficient moved
        default: break;                                                                  // drawn again as it was
        }
        const RecordingSurface kept = test::draw(c);
        ASSERT_TRUE(test::sameTrace(freshTrace(c), kept.trace())) << round << ": " << c.describe();
        const Band band = c.band();
        for (const auto& line : test::polylines(kept))
            for (const Point& q : line) {
                ASSERT_TRUE(band.left <= q.x && q.x <= band.right) << q.x << ": " << c.describe();
                if (&q != &line.back() || !isClosedCurve(c.kind)) {
                    ASSERT_TRUE(band.top <= q.y && q.y <= band.bottom) << q.y << ": " << c.describe();
                }
            }
    }
}

// A pass stops evaluating once the curve is past its domain. At the parameters around which
// that stop changes (zero, denormal, squares that overflow, infinite, not a number), every
// pixel column where the evaluation gives a value on the canvas for all its samples is drawn
// there, on each branch.
TEST(KeptSamples, TheEarlyStopLeavesOutNothingTheEvaluationHas) {
    const double edges[] = {0.0, -0.0, 1e-320, -1e-320, 1e-160, 0.05, 1, 3, -3, 1e100, -1e100, 1.0000000000000002e100, 1e155,
                            std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    int columns = 0;
    for (Family k : {Family::EllipseX, Family::EllipseY, Family::CircleOrigin, Family::CircleCentre, Family::CircleGeneral,
                  Family::ParabolaRight, Family::ParabolaLeft, Family::Logarithm})
        for (double a : edges)
            for (double b : edges) {
                CurveView c;
                c.kind = k;
                c.twoBranches = k != Family::Logarithm;
                c.p[0] = a, c.p[1] = b, c.p[2] = 2;
                c.w = 1200, c.h = 600, c.ox = 600, c.oy = 300; // 30 units either way at scale 20
                const Band band = c.band();
                const auto lines = test::polylines(test::draw(c));
                for (int X = band.left + 1; X < band.right; ++X) {
                    const test::Span span = test::planeSpan(X, c.scale);
                    int low[2] = {std::numeric_limits<int>::max(), std::numeric_limits<int>::max()}, high[2] = {-low[0], -low[1]};
                    bool onCanvas[2] = {true, c.twoBranches};
                    for (int j = 0; j < 10; ++j) {
                        double second = 0;
                        int undefined = 0;
                        const double x = span.lo + (span.hi - span.lo) * (j + 0.5) / 10;
                        const double values[2] = {evaluateCurve(k, c.p, x, second, undefined), second};
                        for (int branch = 0; branch < 2; ++branch) {
                            const double v = c.scale * values[branch];
                            onCanvas[branch] = onCanvas[branch] && !undefined && -band.bottom < v && v < -band.top;
                            if (!onCanvas[branch]) continue;
                            low[branch] = std::min(low[branch], -static_cast<int>(v));
                            high[branch] = std::max(high[branch], -static_cast<int>(v));
                        }
                    }
                    for (int branch = 0; branch < 2; ++branch) {
                        if (!onCanvas[branch]) continue;
                        ++columns;
                        bool drawn = false;
                        for (const auto& line : lines)
                            for (Point q : line) drawn = drawn || (q.x == X && low[branch] - 1 <= q.y && q.y <= high[branch] + 1);
                        ASSERT_TRUE(drawn) << "column " << X << " branch " << branch << " between " << low[branch] << " and "
                                           << high[branch] << ": " << c.describe();
                    }
                }
            }
    EXPECT_GT(columns, 20000); // the huge ellipses draw lines across the whole canvas
}

// The early stop is what makes an ellipse cheap: it evaluates, and keeps, only the samples
// across its own width, not the million to each side of a canvas 200 000 pixels wide.
TEST(KeptSamples, AnEllipseIsNotSampledBeyondItsVertices) {
    struct Widest : NullSurface {
        void polyline(const Point* pts, int n) override { last = std::max(last, std::abs(pts[n - 1].x)); }
        int last = 0;
    };
    int widest = 0;
    std::size_t bytes = 0;
    std::thread([&] { // a thread of its own: no kept samples, no storage left by other tests
        Widest s;
        const test::AllocationCount count;
        double p[10] = {5, 4};
        for (int i = 0; i < 40; ++i) {
            p[1] = 4 + i * 1e-9; // a new curve every time
            sampleCurve(s, ViewSettings{}, 1, Family::EllipseX, p, Band{-100000, 300, 100000, -300});
        }
        bytes = count.bytes();
        widest = s.last;
    }).join();
    EXPECT_NEAR(widest, 100, 2); // x = 5 at scale 20
    // About 2 x 1 000 samples of 12 bytes for each curve kept; sampled to the canvas's sides,
    // the first curve alone would take 2 x 1 000 000.
    EXPECT_LT(bytes, 2u << 20) << "bytes allocated";
}
