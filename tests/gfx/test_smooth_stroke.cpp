// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gfx/smooth_stroke.h"

using namespace yhb;
using End = SmoothStroke::End;

namespace {

// A black stroke on white: how much ink each pixel took, 0 to 1.
struct Canvas {
    static constexpr int kW = 400, kH = 300;
    std::vector<std::uint32_t> bits = std::vector<std::uint32_t>(kW * kH, 0xFFFFFFFFu);
    double ink(int x, int y) const { return (255 - (bits[static_cast<std::size_t>(y * kW + x)] & 0xFF)) / 255.0; }
    double column(int x) const {
        double sum = 0;
        for (int y = 0; y < kH; ++y) sum += ink(x, y);
        return sum;
    }
};

// Draws the polyline as the surfaces do: each joint classified once, for both its segments;
// or with every joint round.
void stroke(Canvas& c, const std::vector<std::pair<double, double>>& p, double pen, bool allRound = false) {
    SmoothStroke s;
    s.begin(c.bits.data(), Canvas::kW * 4, Canvas::kW, Canvas::kH, pen, 0xFF000000u);
    End start = End::Free;
    for (std::size_t i = 1; i < p.size(); ++i) {
        const auto [ax, ay] = p[i - 1];
        const auto [bx, by] = p[i];
        End end = i + 1 < p.size() ? s.joint(bx - ax, by - ay, p[i + 1].first - bx, p[i + 1].second - by) : End::Free;
        if (allRound && end == End::Straight) end = End::Round;
        s.segment(ax, ay, bx, by, start, end);
        start = end;
    }
}

} // namespace

TEST(SmoothStroke, JointsTakeTheirKindFromHowTheStrokeTurns) {
    SmoothStroke s;
    std::vector<std::uint32_t> bits(16, 0);
    s.begin(bits.data(), 16, 4, 4, 3.0, 0);
    EXPECT_EQ(s.joint(20, 2, 20, 5), End::Straight);  // a gentle bend along x
    EXPECT_EQ(s.joint(-3, 20, -1, 20), End::Straight); // and along y
    EXPECT_EQ(s.joint(20, 0, 20, 12), End::Round);     // 31 degrees
    EXPECT_EQ(s.joint(20, 15, 15, 20), End::Round);    // the major axis changes
    EXPECT_EQ(s.joint(20, 0, -20, 1), End::Round);     // back the way it came
    EXPECT_EQ(s.joint(20, 0, 2, 0), End::Round);       // a segment shorter than a round end's reach
}

// The ink across each column of a gently curving stroke is the pen's thickness there: a
// joint neither darkens (a pixel blended twice) nor thins (a pixel left out).
TEST(SmoothStroke, AGentleCurveIsEvenlyInkedThroughItsJoints) {
    for (const bool allRound : {false, true})
        for (const double pen : {2.0, 3.0, 4.5}) {
            Canvas c;
            std::vector<std::pair<double, double>> p;
            for (double x = 20; x <= 380; x += 9) p.push_back({x, 150 + 60 * std::sin(x / 70)});
            stroke(c, p, pen, allRound);
            for (int x = 24; x < 376; ++x) {
                const double slope = 60.0 / 70 * std::cos((x + 0.5) / 70);
                EXPECT_NEAR(c.column(x), pen * std::sqrt(1 + slope * slope), 0.12) << "pen " << pen << " column " << x << (allRound ? " round" : "");
            }
        }
}

// Where the stroke turns sharply the pen is round: the corner is filled, and no pixel takes
// more ink than the pen has.
TEST(SmoothStroke, ASharpTurnIsRoundAndNoDarkerThanThePen) {
    Canvas c;
    stroke(c, {{50, 250}, {200, 100}, {350, 250}}, 4);
    for (int y = 0; y < Canvas::kH; ++y)
        for (int x = 0; x < Canvas::kW; ++x) ASSERT_LE(c.ink(x, y), 1.0);
    // The pixels round the corner point are inked through, and the tip rounds off just above it.
    for (int dx = -1; dx <= 0; ++dx)
        for (int dy = -1; dy <= 0; ++dy) EXPECT_GT(c.ink(200 + dx, 100 + dy), 0.9) << dx << "," << dy;
    EXPECT_GT(c.ink(199, 98), 0.3);
    EXPECT_LT(c.ink(199, 96), 0.05);
    // Along each arm the ink across a column is the pen's thickness, √2 times 4.
    for (const int x : {80, 150, 190, 210, 250, 320}) EXPECT_NEAR(c.column(x), 4 * std::sqrt(2.0), 0.15) << x;
}
