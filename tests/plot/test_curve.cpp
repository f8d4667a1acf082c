// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "plot/curve.h"

using namespace yhb;

namespace {

struct Eval {
    double y1, y2;
    int undefined;
};

Eval eval(Family k, std::initializer_list<double> ps, double x) {
    double p[10] = {};
    int i = 0;
    for (double v : ps) p[i++] = v;
    Eval e{};
    e.y1 = evaluateCurve(k, p, x, e.y2, e.undefined);
    return e;
}

} // namespace

TEST(EvaluateCurve, LinesAndFunctions) {
    EXPECT_DOUBLE_EQ(eval(Family::SlopeIntercept, {2, -3}, 4).y1, 5);
    EXPECT_DOUBLE_EQ(eval(Family::PointSlope, {1, 2, 3}, 2).y1, 5);
    EXPECT_DOUBLE_EQ(eval(Family::TwoPoint, {0, 1, 2, 5}, 1).y1, 3);
    EXPECT_DOUBLE_EQ(eval(Family::Intercept, {2, 4}, 1).y1, 2);
    EXPECT_DOUBLE_EQ(eval(Family::GeneralLine, {1, 2, -4}, 2).y1, 1);
    EXPECT_NEAR(eval(Family::Sin, {3, 0.5, 1}, M_PI).y1, 4, 1e-12);
    EXPECT_NEAR(eval(Family::Cos, {2, 1, 0}, M_PI).y1, -2, 1e-12);
    EXPECT_NEAR(eval(Family::Tan, {1, 1, 0}, M_PI / 4).y1, 1, 1e-12);
    EXPECT_DOUBLE_EQ(eval(Family::Exponential, {3, 2}, 3).y1, 24);
    EXPECT_DOUBLE_EQ(eval(Family::Logarithm, {2}, 100).y1, 4);
    EXPECT_DOUBLE_EQ(eval(Family::ParabolaUp, {2}, 2).y1, 1);
    EXPECT_DOUBLE_EQ(eval(Family::ParabolaDown, {2}, 2).y1, -1);
    EXPECT_DOUBLE_EQ(eval(Family::ParabolaGeneral, {1, -2, 3}, 2).y1, 3);
    // One-valued families leave the second value at 0 and never report "undefined".
    Eval e = eval(Family::SlopeIntercept, {1, 0}, 1);
    EXPECT_EQ(e.y2, 0.0);
    EXPECT_EQ(e.undefined, 0);
}

TEST(EvaluateCurve, DegenerateInputGivesNonFiniteValuesWithoutTheFlag) {
    Eval e = eval(Family::Intercept, {0, 1}, 1);
    EXPECT_FALSE(std::isfinite(e.y1));
    EXPECT_EQ(e.undefined, 0);
    EXPECT_FALSE(std::isfinite(eval(Family::TwoPoint, {1, 0, 1, 3}, 2).y1));
    EXPECT_FALSE(std::isfinite(eval(Family::Logarithm, {1}, 0).y1));
    EXPECT_FALSE(std::isfinite(eval(Family::Logarithm, {1}, -1).y1));
    EXPECT_EQ(eval(Family::Logarithm, {1}, -1).undefined, 0);
    EXPECT_FALSE(std::isfinite(eval(Family::ParabolaUp, {0}, 1).y1));
}

TEST(EvaluateCurve, ConicsHaveTwoBranchesAndGaps) {
    Eval e = eval(Family::EllipseX, {4, 2}, 2);
    EXPECT_NEAR(e.y1, std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(e.y2, -std::sqrt(3.0), 1e-12);
    EXPECT_EQ(eval(Family::EllipseX, {4, 2}, 4).undefined, 1); // v = 0 exactly
    EXPECT_EQ(eval(Family::EllipseX, {4, 2}, 5).undefined, 1);
    EXPECT_EQ(eval(Family::EllipseX, {4, 2}, 5).y1, 0.0);
    EXPECT_NEAR(eval(Family::EllipseY, {4, 2}, 1).y1, std::sqrt(12.0), 1e-12);
    EXPECT_EQ(eval(Family::HyperbolaX, {2, 1}, 1).undefined, 1);
    EXPECT_NEAR(eval(Family::HyperbolaX, {2, 1}, 4).y1, std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(eval(Family::HyperbolaY, {2, 1}, 0).y1, 2, 1e-12);
    EXPECT_EQ(eval(Family::ParabolaRight, {1}, 0).undefined, 1);
    e = eval(Family::ParabolaRight, {1}, 2);
    EXPECT_DOUBLE_EQ(e.y1, 2);
    EXPECT_DOUBLE_EQ(e.y2, -2);
    EXPECT_DOUBLE_EQ(eval(Family::ParabolaLeft, {1}, -2).y1, 2);
    EXPECT_EQ(eval(Family::CircleOrigin, {2}, 2).undefined, 1);
    e = eval(Family::CircleCentre, {5, 1, 2}, 5);
    EXPECT_DOUBLE_EQ(e.y1, 3);
    EXPECT_DOUBLE_EQ(e.y2, -1);
    e = eval(Family::CircleGeneral, {-2, 4, 1}, 1);
    EXPECT_DOUBLE_EQ(e.y1, 0);
    EXPECT_DOUBLE_EQ(e.y2, -4);
}

TEST(EvaluateCurve, UnknownKindsAreUndefinedEverywhere) {
    for (int k : {0, 32772, 32791, 32796}) {
        Eval e = eval(familyOfId(k), {1, 1}, 0.5);
        EXPECT_EQ(e.undefined, 1) << k;
        EXPECT_EQ(e.y1, 0.0);
    }
    EXPECT_TRUE(isClosedCurve(Family::CircleGeneral));
    EXPECT_FALSE(isClosedCurve(Family::HyperbolaX));
}
