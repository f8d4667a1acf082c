// SPDX-License-Identifier: GPL-3.0-or-later
// Every family drawn as a user sees it, checked against its own equation: each point on the
// canvas, read back into the plane, lies on the curve within the pixel it was rounded to; the
// curve is drawn wherever it crosses the canvas; nothing appears where the family has no
// point; ellipses and circles close; tan never bridges an asymptote.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "plot/curve.h"
#include "sampling_helpers.h"

using namespace yhb;
using test::CurveView;
using test::Span;

namespace {

using Equation = double (*)(const double* p, double x, double y);
using Domain = bool (*)(const double* p, double x);

bool everywhere(const double*, double) { return true; }
double sq(double v) { return v * v; }

class Coefficients {
public:
    explicit Coefficients(unsigned seed) : rng_(seed) {}
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    // What a teacher types: now a whole number or a half, now two decimals.
    double any(double lo, double hi) {
        const double v = std::uniform_real_distribution<double>(lo, hi)(rng_);
        return pick(2) ? std::round(v * 2) / 2 : std::round(v * 100) / 100;
    }
    // The same, of either sign and at least `least` in size.
    double nonzero(double least, double most) {
        const double v = any(least, most);
        return (pick(2) ? 1 : -1) * (v == 0 ? least : v);
    }

private:
    std::mt19937 rng_;
};

struct CurveCase {
    const char* name;
    Family kind;
    bool twoBranches, closed;
    Equation equation;                                // zero on the curve
    Domain domain;                                    // the x where it has a point
    std::function<void(Coefficients&, double*)> make; // coefficients a teacher might type
};

const std::vector<CurveCase>& families() {
    static const std::vector<CurveCase> all = {
        {"y=kx+b", Family::SlopeIntercept, false, false, [](const double* p, double x, double y) { return y - p[0] * x - p[1]; },
         everywhere, [](Coefficients& c, double* p) { p[0] = c.any(-4, 4), p[1] = c.any(-8, 8); }},
        {"y-y1=k(x-x1)", Family::PointSlope, false, false,
         [](const double* p, double x, double y) { return y - p[1] - p[2] * (x - p[0]); }, everywhere,
         [](Coefficients& c, double* p) { p[0] = c.any(-6, 6), p[1] = c.any(-6, 6), p[2] = c.any(-4, 4); }},
        {"two points", Family::TwoPoint, false, false,
         [](const double* p, double x, double y) { return (y - p[1]) * (p[2] - p[0]) - (p[3] - p[1]) * (x - p[0]); },
         everywhere,
         [](Coefficients& c, double* p) {
             do {
                 for (int i = 0; i < 4; ++i) p[i] = c.any(-8, 8);
             } while (std::abs(p[2] - p[0]) < 0.5);
         }},
        {"x/a+y/b=1", Family::Intercept, false, false, [](const double* p, double x, double y) { return x / p[0] + y / p[1] - 1; },
         everywhere, [](Coefficients& c, double* p) { p[0] = c.nonzero(0.5, 10), p[1] = c.nonzero(0.5, 10); }},
        {"Ax+By+C=0", Family::GeneralLine, false, false,
         [](const double* p, double x, double y) { return p[0] * x + p[1] * y + p[2]; }, everywhere,
         [](Coefficients& c, double* p) { p[0] = c.any(-5, 5), p[1] = c.nonzero(0.5, 5), p[2] = c.any(-10, 10); }},
        {"y=Asin(Bx)+C", Family::Sin, false, false,
         [](const double* p, double x, double y) { return y - p[0] * std::sin(p[1] * x) - p[2]; }, everywhere,
         [](Coefficients& c, double* p) { p[0] = c.nonzero(0.5, 6), p[1] = c.nonzero(0.2, 4), p[2] = c.any(-4, 4); }},
        {"y=Acos(Bx)+C", Family::Cos, false, false,
         [](const double* p, double x, double y) { return y - p[0] * std::cos(p[1] * x) - p[2]; }, everywhere,
         [](Coefficients& c, double* p) { p[0] = c.nonzero(0.5, 6), p[1] = c.nonzero(0.2, 4), p[2] = c.any(-4, 4); }},
        {"y=Atan(Bx)+C", Family::Tan, false, false,
         [](const double* p, double x, double y) { return y - p[0] * std::tan(p[1] * x) - p[2]; }, everywhere,
         [](Coefficients& c, double* p) { p[0] = c.nonzero(0.5, 4), p[1] = c.nonzero(0.2, 3), p[2] = c.any(-3, 3); }},
        {"x2/a2+y2/b2=1", Family::EllipseX, true, true,
         [](const double* p, double x, double y) { return sq(x / p[0]) + sq(y / p[1]) - 1; },
         [](const double* p, double x) { return std::abs(x) < std::abs(p[0]); },
         [](Coefficients& c, double* p) { p[0] = c.nonzero(0.5, 12), p[1] = c.nonzero(0.5, 12); }},
        {"y2/a2+x2/b2=1", Family::EllipseY, true, true,
         [](const double* p, double x, double y) { return sq(y / p[0]) + sq(x / p[1]) - 1; },
         [](const double* p, double x) { return std::abs(x) < std::abs(p[1]); },
         [](Coefficients& c, double* p) { p[0] = c.nonzero(0.5, 12), p[1] = c.nonzero(0.5, 12); }},
        {"x2/a2-y2/b2=1", Family::HyperbolaX, true, false,
         [](const double* p, double x, double y) { return sq(x / p[0]) - sq(y / p[1]) - 1; },
         [](const double* p, double x) { return std::abs(x) > std::abs(p[0]); },
         [](Coefficients& c, double* p) { p[0] = c.nonzero(0.5, 12), p[1] = c.nonzero(0.5, 12); }},
        {"y2/a2-x2/b2=1", Family::HyperbolaY, true, false,
         [](const double* p, double x, double y) { return sq(y / p[0]) - sq(x / p[1]) - 1; }, everywhere,
         [](Coefficients& c, double* p) { p[0] = c.nonzero(0.5, 12), p[1] = c.nonzero(0.5, 12); }},
        {"y2=2px", Family::ParabolaRight, true, false, [](const double* p, double x, double y) { return y * y - 2 * p[0] * x; },
         [](const double* p, double x) { return p[0] * x > 0; }, [](Coefficients& c, double* p) { p[0] = c.nonzero(0.2, 8); }},
        {"y2=-2px", Family::ParabolaLeft, true, false, [](const double* p, double x, double y) { return y * y + 2 * p[0] * x; },
         [](const double* p, double x) { return p[0] * x < 0; }, [](Coefficients& c, double* p) { p[0] = c.nonzero(0.2, 8); }},
        {"x2=2py", Family::ParabolaUp, false, false, [](const double* p, double x, double y) { return x * x - 2 * p[0] * y; },
         everywhere, [](Coefficients& c, double* p) { p[0] = c.nonzero(0.2, 8); }},
        {"x2=-2py", Family::ParabolaDown, false, false, [](const double* p, double x, double y) { return x * x + 2 * p[0] * y; },
         everywhere, [](Coefficients& c, double* p) { p[0] = c.nonzero(0.2, 8); }},
        {"y=Ax2+Bx+C", Family::ParabolaGeneral, false, false,
         [](const double* p, double x, double y) { return y - p[0] * x * x - p[1] * x - p[2]; }, everywhere,
         [](Coefficients& c, double* p) { p[0] = c.nonzero(0.1, 3), p[1] = c.any(-5, 5), p[2] = c.any(-8, 8); }},
        {"x2+y2=r2", Family::CircleOrigin, true, true, [](const double* p, double x, double y) { return x * x + y * y - p[0] * p[0]; },
         [](const double* p, double x) { return std::abs(x) < std::abs(p[0]); },
         [](Coefficients& c, double* p) { p[0] = c.nonzero(0.5, 12); }},
        {"(x-a)2+(y-b)2=r2", Family::CircleCentre, true, true,
         [](const double* p, double x, double y) { return sq(x - p[0]) + sq(y - p[1]) - p[2] * p[2]; },
         [](const double* p, double x) { return std::abs(x - p[0]) < std::abs(p[2]); },
         [](Coefficients& c, double* p) { p[0] = c.any(-10, 10), p[1] = c.any(-8, 8), p[2] = c.any(0.5, 10); }},
        {"x2+y2+Dx+Ey+F=0", Family::CircleGeneral, true, true,
         [](const double* p, double x, double y) { return x * x + y * y + p[0] * x + p[1] * y + p[2]; },
         [](const double* p, double x) { return sq(x + p[0] / 2) < (p[0] * p[0] + p[1] * p[1] - 4 * p[2]) / 4; },
         [](Coefficients& c, double* p) {
             do {
                 p[0] = c.any(-12, 12), p[1] = c.any(-12, 12), p[2] = c.any(-20, 20);
             } while (p[0] * p[0] + p[1] * p[1] - 4 * p[2] < 1); // a radius of half a unit at least
         }},
        {"y=Ab^x", Family::Exponential, false, false, [](const double* p, double x, double y) { return y - p[0] * std::pow(p[1], x); },
         everywhere, [](Coefficients& c, double* p) { p[0] = c.nonzero(0.5, 5), p[1] = c.any(0.25, 5); }},
        {"y=Alg x", Family::Logarithm, false, false, [](const double* p, double x, double y) { return y - p[0] * std::log10(x); },
         [](const double*, double x) { return x > 0; }, [](Coefficients& c, double* p) { p[0] = c.nonzero(0.5, 8); }},
    };
    return all;
}

// Whether the curve may pass through the box [x0, x1] x [y0, y1]: the equation changes sign
// over it, or its value at the centre is no more than the equation can change from there to a
// point of the box (by the steepest slope at the corners and the centre, with room to spare).
// Failing both, the halves of the box are tried, down to a 256th of its width: tan beside its
// asymptote and lg x beside zero pass through only a sliver of their pixel.
bool curveMayCross(const CurveCase& f, const double* p, double x0, double x1, double y0, double y1, int depth = 0) {
    bool below = false, above = false;
    double largest = 0;
    for (int i = 0; i <= 2; ++i)
        for (int j = 0; j <= 2; ++j) {
            const double v = f.equation(p, x0 + i * (x1 - x0) / 2, y0 + j * (y1 - y0) / 2);
            if (!std::isfinite(v)) continue;
            below |= v <= 0;
            above |= v >= 0;
            largest = std::max(largest, std::abs(v));
        }
    if (below && above) return true;
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, centre = f.equation(p, cx, cy);
    if (std::isfinite(centre)) {
        const double at[5][2] = {{cx, cy}, {x0, y0}, {x0, y1}, {x1, y0}, {x1, y1}};
        double gx = 0, gy = 0;
        for (const auto& q : at) {
            const double hx = 1e-6 * std::max(1.0, std::abs(q[0])), hy = 1e-6 * std::max(1.0, std::abs(q[1]));
            const double dx = (f.equation(p, q[0] + hx, q[1]) - f.equation(p, q[0] - hx, q[1])) / (2 * hx);
            const double dy = (f.equation(p, q[0], q[1] + hy) - f.equation(p, q[0], q[1] - hy)) / (2 * hy);
            if (std::isfinite(dx)) gx = std::max(gx, std::abs(dx));
            if (std::isfinite(dy)) gy = std::max(gy, std::abs(dy));
        }
        if (std::abs(centre) <= 1.25 * (gx * (x1 - x0) / 2 + gy * (y1 - y0) / 2) + 1e-9 * (1 + largest)) return true;
    }
    return depth < 8 && (curveMayCross(f, p, x0, cx, y0, y1, depth + 1) || curveMayCross(f, p, cx, x1, y0, y1, depth + 1));
}

double distanceToSegment(double px, double py, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
}

// What is wrong with the drawing of one curve, or "" when nothing is.
std::string faultIn(const CurveCase& f, const CurveView& c) {
    const auto lines = test::polylines(test::draw(c));
    const Band band = c.band();
    const double s = c.scale;
    auto where = [](Point q) { return "(" + std::to_string(q.x) + "," + std::to_string(q.y) + ")"; };
    auto inside = [&](Point q) { return band.top < q.y && q.y < band.bottom; };
    // Each point, in the plane: a point of the family's domain and, on the canvas, of the curve.
    for (const auto& line : lines)
        for (Point q : line) {
            const Span x = test::planeSpan(q.x, c.scale), y = test::planeSpan(-q.y, c.scale);
            if (!f.domain(c.p, x.lo) && !f.domain(c.p, x.hi) && !f.domain(c.p, x.mid()))
                return "point " + where(q) + " where the family has none";
            if (inside(q) && !curveMayCross(f, c.p, x.lo, x.hi, y.lo, y.hi)) return "point " + where(q) + " off the curve";
        }
    // Each segment on the canvas follows the curve: its middle is within a pixel and a half.
    // That holds for a run's last segment, to the canvas's edge, too (a run never goes along
    // the edge while the curve is beyond it); but not for tan, whose run may end on the wrong
    // edge at an asymptote (see TanNeverBridgesAnAsymptote).
    auto onCanvas = [&](Point q) { return band.top <= q.y && q.y <= band.bottom; };
    for (const auto& line : lines)
        for (std::size_t i = 1; i < line.size(); ++i) {
            const Point a = line[i - 1], b = line[i];
            if (!onCanvas(a) || !onCanvas(b)) continue;
            if (f.kind == Family::Tan && !(inside(a) && inside(b))) continue;
            const double mx = (a.x + b.x) / 2.0 / s, my = -(a.y + b.y) / 2.0 / s, r = 1.5 / s;
            if (!curveMayCross(f, c.p, mx - r, mx + r, my - r, my + r))
                return "segment " + where(a) + "-" + where(b) + " strays from the curve";
        }
    // Where the curve crosses a column of the canvas, away from its edges and from where it is
    // too steep for ten samples a pixel to follow, something is drawn within two pixels.
    std::vector<std::vector<std::pair<Point, Point>>> near(static_cast<std::size_t>(c.w + 1));
    for (const auto& line : lines)
        for (std::size_t i = 1; i < line.size(); ++i)
            for (int X = std::min(line[i - 1].x, line[i].x) - 2; X <= std::max(line[i - 1].x, line[i].x) + 2; ++X)
                if (X > band.left && X < band.right) near[static_cast<std::size_t>(X - band.left)].push_back({line[i - 1], line[i]});
    for (int X = band.left + 3; X < band.right - 3; X += 4) {
        if (std::abs(X) < 2) continue;
        const double x = (X > 0 ? X + 0.5 : X - 0.5) / s;
        double before = f.equation(c.p, x, (-band.bottom + 3) / s);
        for (int py = -band.bottom + 4; py < -band.top - 3; ++py) {
            const double value = f.equation(c.p, x, py / s);
            const bool crosses = std::isfinite(before) && std::isfinite(value) && (before < 0) != (value < 0);
            before = value;
            if (!crosses) continue;
            const double h = 1e-6 * std::max(1.0, std::abs(x)), y = (py - 0.5) / s;
            const double dx = f.equation(c.p, x + h, y) - f.equation(c.p, x - h, y);
            const double dy = f.equation(c.p, x, y + h) - f.equation(c.p, x, y - h);
            if (!(std::abs(dx) <= 8 * std::abs(dy))) continue; // steeper than 8 pixels a pixel
            bool drawn = false;
            for (const auto& [a, b] : near[static_cast<std::size_t>(X - band.left)])
                drawn = drawn || distanceToSegment(X, 0.5 - py, a, b) <= 2;
            if (!drawn) return "nothing drawn where the curve crosses (" + std::to_string(X) + "," + std::to_string(-py) + ")";
        }
    }
    return "";
}

CurveView randomView(const CurveCase& f, Coefficients& g) {
    CurveView c;
    c.kind = f.kind;
    c.twoBranches = f.twoBranches;
    f.make(g, c.p);
    const int scales[] = {4, 10, 20, 20, 36, 60};
    c.scale = scales[g.pick(6)];
    c.w = 300 + g.pick(700);
    c.h = 200 + g.pick(500);
    c.ox = c.w / 8 + g.pick(3 * c.w / 4);
    c.oy = c.h / 8 + g.pick(3 * c.h / 4);
    return c;
}

} // namespace

TEST(Sampling, EveryFamilyDrawsItsOwnEquation) {
    ASSERT_EQ(families().size(), 22u);
    Coefficients g(20261208);
    for (const CurveCase& f : families()) {
        int drawn = 0;
        for (int i = 0; i < 12; ++i) {
            const CurveView c = randomView(f, g);
            const std::string fault = faultIn(f, c);
            EXPECT_EQ(fault, "") << f.name << ": " << c.describe();
            drawn += !test::polylines(test::draw(c)).empty();
        }
        EXPECT_GE(drawn, 6) << f.name; // most random curves cross the canvas somewhere
    }
}

// Ellipses and circles wholly on the canvas are closed loops: every end of a drawn polyline
// meets the end of another. Only a circle lying to one side of the y axis stays open at its
// near end, by the chord its first sample cuts (a tenth of a pixel from the vertex).
TEST(Sampling, EllipsesAndCirclesOnTheCanvasClose) {
    Coefficients g(4242);
    int oneSidedCircles = 0;
    for (const CurveCase& f : families()) {
        if (!f.closed) continue;
        for (int i = 0; i < 10; ++i) {
            CurveView c;
            c.kind = f.kind;
            c.twoBranches = true;
            c.scale = 20;
            c.w = 1100, c.h = 900, c.ox = 550, c.oy = 450;
            double cx = 0, r = 0; // centre and half width in x
            do {
                f.make(g, c.p);
                if (f.kind == Family::CircleGeneral) {
                    cx = -c.p[0] / 2;
                    r = std::sqrt((c.p[0] * c.p[0] + c.p[1] * c.p[1] - 4 * c.p[2]) / 4);
                } else {
                    cx = f.kind == Family::CircleCentre ? c.p[0] : 0;
                    r = std::abs(f.kind == Family::CircleCentre ? c.p[2] : f.kind == Family::EllipseY ? c.p[1] : c.p[0]);
                }
            } while ((cx != 0 && std::abs(std::abs(cx) - r) < 1) || std::abs(cx) + r > 25 || [&] {
                // wholly on the canvas, clear of its top and bottom
                for (const auto& line : test::polylines(test::draw(c)))
                    for (Point q : line)
                        if (q.y <= c.band().top + 2 || q.y >= c.band().bottom - 2) return true;
                return false;
            }());
            const auto lines = test::polylines(test::draw(c));
            ASSERT_FALSE(lines.empty()) << c.describe();
            // A circle to one side of the y axis starts a tenth of a pixel or less past its
            // near vertex, where its halves are this far apart.
            const bool oneSided = std::abs(cx) > r;
            oneSidedCircles += oneSided;
            const double nearVertex = (cx > 0 ? cx - r : cx + r) * c.scale, gap = 2 * std::sqrt(0.2 * r * c.scale) + 2;
            for (std::size_t l = 0; l < lines.size(); ++l)
                for (Point end : {lines[l].front(), lines[l].back()}) {
                    double closest = 1e9;
                    for (std::size_t j = 0; j < lines.size(); ++j)
                        if (j != l)
                            for (Point other : {lines[j].front(), lines[j].back()})
                                closest = std::min(closest, std::hypot(end.x - other.x, end.y - other.y));
                    const bool nearEnd = oneSided && std::abs(end.x - nearVertex) <= 3;
                    EXPECT_LE(closest, nearEnd ? gap : 1.5) << f.name << " end (" << end.x << "," << end.y << "): " << c.describe();
                }
        }
    }
    EXPECT_GE(oneSidedCircles, 5);
}

// tan rises (or falls) all the way from one asymptote to the next, so a segment that goes
// the other way is one drawn across an asymptote. This holds from the default scale up: at
// coarser ones the two samples either side of an asymptote, a tenth of a pixel apart, can both
// lie on the canvas and are joined; and a run's last segment, to the point put on the canvas's
// edge, takes that edge from the next sample, which may lie past the asymptote already.
TEST(Sampling, TanNeverBridgesAnAsymptote) {
    Coefficients g(99);
    const CurveCase& tan = *std::find_if(families().begin(), families().end(), [](const CurveCase& f) { return f.kind == Family::Tan; });
    int segments = 0;
    for (int i = 0; i < 40; ++i) {
        CurveView c = randomView(tan, g);
        c.scale = 20 + 20 * g.pick(3);
        const Band band = c.band();
        const int rising = c.p[0] * c.p[1] > 0 ? 1 : -1;
        for (const auto& line : test::polylines(test::draw(c))) {
            const int rightwards = line.back().x > line.front().x ? 1 : line.back().x < line.front().x ? -1 : 0;
            for (std::size_t k = 1; k < line.size() && rightwards != 0; ++k) {
                const Point a = line[k - 1], b = line[k];
                if (a.y <= band.top || a.y >= band.bottom || b.y <= band.top || b.y >= band.bottom) continue;
                ++segments;
                // Canvas y points down; truncation keeps a monotonic curve monotonic, bar a pixel.
                EXPECT_GE(rising * rightwards * (a.y - b.y), -1)
                    << "(" << a.x << "," << a.y << ") to (" << b.x << "," << b.y << "): " << c.describe();
            }
        }
    }
    EXPECT_GT(segments, 5000);
}
