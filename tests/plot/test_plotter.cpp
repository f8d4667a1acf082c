// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gfx/recording_surface.h"
#include "plot/curve.h"
#include "plot/plotter.h"

using namespace yhb;
using Kind = RecordingSurface::Kind;

namespace {

// The 600 x 400 canvas with the origin in its middle.
constexpr Band kBand{-300, 200, 300, -200};

std::vector<std::vector<Point>> curves(Family k, std::initializer_list<double> ps, bool twoBranches = false,
                                       Band band = kBand, ViewSettings view = {}) {
    double p[10] = {};
    int i = 0;
    for (double v : ps) p[i++] = v;
    RecordingSurface s;
    plot(s, view, twoBranches, PlotOp::Curve, k, p, band);
    std::vector<std::vector<Point>> out;
    for (auto* op : s.ofKind(Kind::Polyline))
        if (op->points.size() >= 2) out.push_back(op->points);
    return out;
}

// Counts points; every polyline cut off by a full buffer must be continued from its last point.
class ContinuitySurface : public NullSurface {
public:
    void polyline(const Point* pts, int count) override {
        ASSERT_LE(count, kRunCapacity);
        for (auto it = pendingEnds.begin(); it != pendingEnds.end(); ++it)
            if (*it == pts[0]) {
                pendingEnds.erase(it);
                break;
            }
        if (count >= kRunCapacity - 1) pendingEnds.push_back(pts[count - 1]);
        points += count;
        ++calls;
    }
    std::vector<Point> pendingEnds;
    Point last;
    long points = 0;
    int calls = 0;
};

} // namespace

TEST(Plotter, StraightLineEndsEachPassOnTheBandEdge) {
    auto runs = curves(Family::SlopeIntercept, {1, 0});
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].front(), (Point{0, 0}));
    EXPECT_EQ(runs[0].back().y, -200); // exactly on the top edge
    EXPECT_NEAR(runs[0].back().x, 200, 1);
    EXPECT_EQ(runs[1].front(), (Point{0, 0}));
    EXPECT_EQ(runs[1].back().y, 200);
    EXPECT_NEAR(runs[1].back().x, -200, 1);
}

TEST(Plotter, EllipseIsFourPolylinesClosedAtTheVertices) {
    auto runs = curves(Family::EllipseX, {4, 2}, 1);
    ASSERT_EQ(runs.size(), 4u);
    // Pass 0: upper half, then the lower half ending on the upper half's last point.
    EXPECT_EQ(runs[0].front(), (Point{0, -40}));
    EXPECT_EQ(runs[1].front(), (Point{0, 40}));
    EXPECT_EQ(runs[1].back(), runs[0].back());
    EXPECT_NEAR(runs[0].back().x, 80, 1);
    // Pass 1 mirrors it.
    EXPECT_EQ(runs[2].front(), (Point{0, -40}));
    EXPECT_EQ(runs[3].back(), runs[2].back());
    EXPECT_NEAR(runs[2].back().x, -80, 1);
}

TEST(Plotter, OffsetCircleIsClosedAtItsFarEndOnly) {
    auto runs = curves(Family::CircleCentre, {5, 1, 2}, 1);
    ASSERT_EQ(runs.size(), 2u);
    const auto& upper = runs[0];
    const auto& lower = runs[1];
    EXPECT_EQ(lower.back(), upper.back()); // joined at x = 7
    EXPECT_NEAR(upper.back().x, 140, 1);
    EXPECT_NEAR(upper.front().x, 60, 1);
    const int gap = lower.front().y - upper.front().y; // open at x = 3
    EXPECT_GE(gap, 3);
    EXPECT_LE(gap, 7);
}

// An ellipse dragged partly off the left, or a circle beyond the canvas, was closed with a
// false segment up the canvas's side, and a circle taller than the canvas with a chord across
// it where its lower half left the bottom: the halves meet only where the curve ends.
TEST(Plotter, ACurveCutByTheCanvasIsNotClosedAlongTheCut) {
    const auto segments = [](const std::vector<std::vector<Point>>& runs, auto&& bad) {
        int n = 0;
        for (const auto& r : runs)
            for (std::size_t i = 1; i < r.size(); ++i) n += bad(r[i - 1], r[i]) ? 1 : 0;
        return n;
    };
    const auto upTheSide = [](int side) {
        return [side](Point a, Point b) { return a.x == side && b.x == side && std::abs(a.y - b.y) > 2; };
    };
    // Origin 100 px from the left: x = -8 lies beyond the side, x = 8 inside.
    const Band dragged{-100, 200, 500, -200};
    auto runs = curves(Family::EllipseX, {8, 3}, 1, dragged);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[1].back(), runs[0].back()); // closed at x = 8
    EXPECT_NEAR(runs[0].back().x, 160, 1);
    EXPECT_EQ(runs[2].back().x, -100);
    EXPECT_EQ(runs[3].back().x, -100);
    EXPECT_GT(runs[3].back().y, 0); // the lower half ends at the side, below the axis
    EXPECT_EQ(segments(runs, upTheSide(-100)), 0);

    EXPECT_EQ(segments(curves(Family::CircleCentre, {-20, 0, 10}, 1), upTheSide(-300)), 0);
    EXPECT_EQ(segments(curves(Family::CircleGeneral, {40, 0, 300}, 1), upTheSide(-300)), 0); // centre (-20, 0), r 10
    // Radius 14 about (-20, 0): both halves leave at the top and bottom at x = -10.2.
    runs = curves(Family::CircleCentre, {-20, 0, 14}, 1);
    EXPECT_EQ(segments(runs, [](Point a, Point b) { return (a.y > 100 && b.y < -100) || (a.y < -100 && b.y > 100); }), 0);
    // A circle wholly inside is closed at its far vertex as before.
    runs = curves(Family::CircleCentre, {-5, 0, 3}, 1);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].back(), runs[0].back());
    EXPECT_NEAR(runs[0].back().x, -160, 1);
}

TEST(Plotter, HyperbolaBranchesAreNeverJoined) {
    auto runs = curves(Family::HyperbolaX, {2, 1}, 1);
    ASSERT_EQ(runs.size(), 4u);
    for (const auto& r : runs) {
        for (const Point& p : r) EXPECT_GE(std::abs(p.x), 40);
    }
    EXPECT_NE(runs[1].back(), runs[0].back());
}

TEST(Plotter, TangentNeverCrossesAnAsymptote) {
    auto runs = curves(Family::Tan, {1, 1, 0});
    ASSERT_GE(runs.size(), 6u);
    for (const auto& r : runs) {
        // All points of one run lie between two neighbouring asymptotes x = pi/2 + k pi.
        double k0 = std::floor((r.front().x / 20.0 - M_PI / 2) / M_PI);
        for (const Point& p : r) {
            double k = std::floor((p.x / 20.0 - M_PI / 2) / M_PI);
            EXPECT_EQ(k, k0) << "run crosses an asymptote at x=" << p.x;
        }
        // Each run that leaves the band ends on its edge.
        EXPECT_TRUE(std::abs(r.back().y) == 200 || std::abs(r.back().x) >= 299);
    }
}

TEST(Plotter, NothingForUndefinedRecordsOrAnOriginOutsideTheBand) {
    EXPECT_TRUE(curves(Family::Intercept, {0, 1}).empty());
    EXPECT_TRUE(curves(Family::TwoPoint, {1, 0, 1, 3}).empty());
    EXPECT_TRUE(curves(Family::None, {1, 1}).empty());
    EXPECT_TRUE(curves(Family::SlopeIntercept, {1, 0}, 0, Band{10, 200, 600, -200}).empty());
    EXPECT_TRUE(curves(Family::SlopeIntercept, {1, 0}, 0, Band{-600, 200, 0, -200}).empty());
}

TEST(Plotter, HugeValuesCountAsOutsideTheBand) {
    // y = 1e300 x: beyond 32 bits at once; the run is only the point on the axis and its edge.
    auto runs = curves(Family::SlopeIntercept, {1e300, 0});
    for (const auto& r : runs)
        for (const Point& p : r) EXPECT_LE(std::abs(p.y), 200);
    EXPECT_TRUE(curves(Family::SlopeIntercept, {std::numeric_limits<double>::quiet_NaN(), 0}).empty());
}

TEST(Plotter, FullBuffersAreDrawnAndContinued) {
    // Scale 84 gives 840 samples a unit: the line's 2000 pixels each side and the circle's
    // 12.5 units radius both overflow one buffer per pass.
    ViewSettings view;
    view.pixelsPerUnit = 84;
    view.dedupePoints = false;
    double line[10] = {0.5, 0};
    double circle[10] = {12.5};
    for (int two : {0, 1}) {
        ContinuitySurface s;
        plot(s, view, two, PlotOp::Curve, two ? Family::CircleOrigin : Family::SlopeIntercept, two ? circle : line,
             Band{-2000, 1100, 2000, -1100});
        EXPECT_GT(s.points, 38000);
        EXPECT_GT(s.calls, 4);
        EXPECT_TRUE(s.pendingEnds.empty());
    }
}

TEST(Plotter, PointsAndLines) {
    RecordingSurface s;
    ViewSettings view;
    double pt[10] = {1.5, -2};
    plot(s, view, 0, PlotOp::PointMark, Family::None, pt, kBand);
    auto e = s.ofKind(Kind::Ellipse);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0]->l, 26);
    EXPECT_EQ(e[0]->t, 36);
    EXPECT_EQ(e[0]->r, 34);
    EXPECT_EQ(e[0]->b, 44);
    auto t = s.ofKind(Kind::Text);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0]->text, "(1.50,-2.00)");
    EXPECT_EQ(t[0]->l, 35);
    EXPECT_EQ(t[0]->t, 50);

    view.showLabels = false;
    s.clear();
    plot(s, view, 0, PlotOp::PointMark, Family::None, pt, kBand);
    EXPECT_TRUE(s.ofKind(Kind::Text).empty());
    EXPECT_EQ(s.ofKind(Kind::Ellipse).size(), 1u);

    s.clear();
    double v[10] = {8.3333};
    plot(s, view, 0, PlotOp::VerticalLine, Family::None, v, kBand);
    plot(s, view, 0, PlotOp::HorizontalLine, Family::None, v, kBand);
    auto lines = s.ofKind(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->points[0], (Point{166, -200}));
    EXPECT_EQ(lines[0]->points[1], (Point{166, 200}));
    EXPECT_EQ(lines[1]->points[0], (Point{300, -166}));
    EXPECT_EQ(lines[1]->points[1], (Point{-300, -166}));

    // Coordinates that are not finite draw nothing.
    s.clear();
    double bad[10] = {std::numeric_limits<double>::infinity(), 1};
    plot(s, view, 0, PlotOp::PointMark, Family::None, bad, kBand);
    plot(s, view, 0, PlotOp::VerticalLine, Family::None, bad, kBand);
    double nan[10] = {std::numeric_limits<double>::quiet_NaN()};
    plot(s, view, 0, PlotOp::HorizontalLine, Family::None, nan, kBand);
    EXPECT_TRUE(s.ops().empty());
}
