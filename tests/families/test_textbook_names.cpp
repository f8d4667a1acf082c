// SPDX-License-Identifier: GPL-3.0-or-later
// The named points and lines of every check box: their textbook names and exact coordinates,
// the extras they belong to, and what makes them what they are on the curve the program draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "families/family_table.h"
#include "plot/curve.h"
#include "plot/expression_table.h"
#include "textbook_helpers.h"

using namespace yhb;
using test::TypedRow;

namespace {

constexpr int kBox1 = 1010, kBox2 = 1011, kBox3 = 1012, kBox4 = 1013;

// What a teacher types: whole numbers, fractions, roots, decimals, a rounded root.
class Typed {
public:
    explicit Typed(unsigned seed) : rng_(seed) {}
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::string positive() {
        const std::string n = std::to_string(1 + pick(9)), m = std::to_string(2 + pick(5));
        switch (pick(7)) {
        case 0: return n;
        case 1: return n + "/" + m;
        case 2: return "√" + m;
        case 3: return n + "√" + m;
        case 4: return std::to_string(pick(6)) + "." + std::to_string(1 + pick(9));
        case 5: return std::to_string(pick(4)) + "." + std::to_string(10 + pick(90));
        default: return pick(2) ? "1.732" : "0.707";
        }
    }
    std::string any() { return (pick(2) ? "" : "-") + positive(); }

private:
    std::mt19937 rng_;
};

// The drawn curve at x; NaN where it has no point.
double on(Family k, const TypedRow& r, double x, bool second = false) {
    double other = 0;
    int undefined = 0;
    const double y = evaluateCurve(k, r.p, x, other, undefined);
    if (undefined) return std::nan("");
    return second ? other : y;
}

// The number a printed coordinate or line position says: "−9√5/5" → −4.02…
double printed(std::string text) {
    for (std::size_t at; (at = text.find("−")) != std::string::npos;) text.replace(at, 3, "-");
    const NumberReading r = parseExact(text);
    EXPECT_TRUE(r.isNumber) << text;
    return r.value;
}

void expectNear(double printedValue, double value, const std::string& what) {
    EXPECT_NEAR(printedValue, value, 1e-3 * std::max(1.0, std::fabs(value))) << what;
}

} // namespace

TEST(TextbookNames, ConicsByBox) {
    const TypedRow ellipse(Family::EllipseX, {"2", "√3"});
    EXPECT_EQ(ellipse.names(kBox1), "A₁(−2,0) A₂(2,0) B₁(0,−√3) B₂(0,√3)");
    EXPECT_EQ(ellipse.names(kBox2), "F₁(−1,0) F₂(1,0)");
    EXPECT_EQ(ellipse.names(kBox3), "l: x=4 l: x=−4");
    EXPECT_EQ(TypedRow(Family::EllipseX, {"3", "2"}).names(kBox3), "l: x=9√5/5 l: x=−9√5/5");
    EXPECT_EQ(TypedRow(Family::EllipseX, {"2", "1.7"}).names(kBox2), "F₁(−1.05357,0) F₂(1.05357,0)");
    // b > a: the records compute no foci, so the names stand without coordinates.
    EXPECT_EQ(TypedRow(Family::EllipseX, {"1", "2"}).names(kBox2), "F₁ F₂");

    const TypedRow tall(Family::EllipseY, {"5", "4"});
    EXPECT_EQ(tall.names(kBox1), "A₁(0,−5) A₂(0,5) B₁(−4,0) B₂(4,0)");
    EXPECT_EQ(tall.names(kBox2), "F₁(0,−3) F₂(0,3)");
    EXPECT_EQ(tall.names(kBox3), "l: y=25/3 l: y=−25/3");

    const TypedRow hyperbola(Family::HyperbolaX, {"4", "3"});
    EXPECT_EQ(hyperbola.names(kBox1), "A₁(−4,0) A₂(4,0)");
    EXPECT_EQ(hyperbola.names(kBox2), "F₁(−5,0) F₂(5,0)");
    EXPECT_EQ(hyperbola.names(kBox3), "l: x=16/5 l: x=−16/5");
    EXPECT_EQ(hyperbola.names(kBox4, true), "y=¾x y=−¾x");
    EXPECT_EQ(hyperbola.names(kBox4), "y=3x/4 y=−3x/4");

    const TypedRow upright(Family::HyperbolaY, {"3", "4"});
    EXPECT_EQ(upright.names(kBox1), "A₁(0,−3) A₂(0,3)");
    EXPECT_EQ(upright.names(kBox2), "F₁(0,−5) F₂(0,5)");
    EXPECT_EQ(upright.names(kBox3), "l: y=9/5 l: y=−9/5");
    EXPECT_EQ(upright.names(kBox4, true), "y=¾x y=−¾x");
}

TEST(TextbookNames, ParabolasCirclesAndGivenPoints) {
    EXPECT_EQ(TypedRow(Family::ParabolaRight, {"2"}).names(kBox1), "l: x=−1");
    EXPECT_EQ(TypedRow(Family::ParabolaRight, {"2"}).names(kBox2), "F(1,0)");
    EXPECT_EQ(TypedRow(Family::ParabolaRight, {"3"}).names(kBox2), "F(3/2,0)");
    EXPECT_EQ(TypedRow(Family::ParabolaLeft, {"2"}).names(kBox1), "l: x=1");
    EXPECT_EQ(TypedRow(Family::ParabolaLeft, {"2"}).names(kBox2), "F(−1,0)");
    EXPECT_EQ(TypedRow(Family::ParabolaUp, {"4"}).names(kBox1), "l: y=−2");
    EXPECT_EQ(TypedRow(Family::ParabolaUp, {"4"}).names(kBox2), "F(0,2)");
    EXPECT_EQ(TypedRow(Family::ParabolaDown, {"4"}).names(kBox1), "l: y=2");
    EXPECT_EQ(TypedRow(Family::ParabolaDown, {"4"}).names(kBox2), "F(0,−2)");

    EXPECT_EQ(TypedRow(Family::CircleCentre, {"-2", "1", "2"}).names(kBox1), "C(−2,1)");
    EXPECT_EQ(TypedRow(Family::CircleGeneral, {"-4", "2", "1"}).names(kBox1), "C(2,−1)");
    EXPECT_EQ(TypedRow(Family::CircleGeneral, {"3", "0", "-1"}).names(kBox1), "C(−3/2,0)");

    EXPECT_EQ(TypedRow(Family::PointSlope, {"1", "-2", "3"}).names(kBox1), "P₁(1,−2)");
    EXPECT_EQ(TypedRow(Family::TwoPoint, {"1", "2", "3", "5"}).names(kBox1), "P₁(1,2)");
    EXPECT_EQ(TypedRow(Family::TwoPoint, {"1", "2", "-√2", "0.5"}).names(kBox2), "P₂(−√2,1/2)");
}

TEST(TextbookNames, CaptionsInLatexAndMathMl) {
    const TypedRow ellipse(Family::EllipseX, {"2", "√3"});
    EXPECT_EQ(math::toLatex(caption(ellipse.namesOf(kBox1)[2])), "B_{1}(0,-\\sqrt{3})");
    EXPECT_EQ(math::toLatex(caption(ellipse.namesOf(kBox3)[1])), "l\\colon x=-4");
    EXPECT_EQ(math::toMathMl(caption(ellipse.namesOf(kBox2)[1])),
              "<math xmlns=\"http://www.w3.org/1998/Math/MathML\"><mrow><msub><mi>F</mi><mn>2</mn></msub>"
              "<mrow><mo>(</mo><mn>1</mn><mo>,</mo><mn>0</mn><mo>)</mo></mrow></mrow></math>");
}

// Name i belongs to extra i: same shape, same numbers, and the printed coordinates say them.
TEST(TextbookNames, EveryNameMatchesTheExtraItsBoxRecords) {
    Typed t(20260115);
    int checked = 0;
    for (const FamilySpec& f : families()) {
        if (f.boxes.empty()) continue;
        for (int round = 0; round < 60; ++round) {
            const bool conic = f.group == FamilyGroup::Conic && f.kind != Family::CircleCentre && f.kind != Family::CircleGeneral;
            const std::string a = conic ? t.positive() : t.any(), b = conic ? t.positive() : t.any();
            const TypedRow row(f.kind, {a.c_str(), b.c_str(), t.any().c_str(), t.any().c_str()});
            ExpressionSlot slot;
            slot.kind = f.kind;
            for (int i = 0; i < 10; ++i) slot.params[i] = row.p[i], slot.exactParams[i] = row.exact[i];
            for (const BoxSpec& box : f.boxes) {
                if (t.pick(4) == 0) continue; // not every box ticked
                RecordSink sink(slot, box.id);
                f.records(box.id, slot.params, sink);
            }
            const std::vector<TextbookName> names = namesOfRow(slot);
            ASSERT_EQ(names.size(), static_cast<std::size_t>(slot.extraCount)) << f.cliName;
            for (int i = 0; i < slot.extraCount; ++i) {
                const ExtraPlot& e = slot.extras[i];
                const TextbookName& n = names[static_cast<std::size_t>(i)];
                const std::string what = std::string(f.cliName) + " " + a + " " + b + " extra " + std::to_string(i) + ": " +
                                         math::toUnicode(caption(n));
                EXPECT_EQ(n.box, e.sourceControl) << what;
                const PlotOp op = n.shape == NamedShape::Point            ? PlotOp::PointMark
                                  : n.shape == NamedShape::VerticalLine   ? PlotOp::VerticalLine
                                  : n.shape == NamedShape::HorizontalLine ? PlotOp::HorizontalLine
                                                                          : PlotOp::Curve;
                EXPECT_EQ(op, e.plotOp) << what;
                const int count = n.shape == NamedShape::Point || n.shape == NamedShape::SlopedLine ? 2 : 1;
                for (int v = 0; v < count; ++v) {
                    if (std::isnan(e.params[v])) EXPECT_FALSE(n.defined) << what;
                    else EXPECT_DOUBLE_EQ(n.values[v], e.params[v]) << what;
                }
                if (!n.defined) continue;
                ++checked;
                if (n.shape == NamedShape::Point) {
                    expectNear(printed(math::toUnicode(n.x)), e.params[0], what);
                    expectNear(printed(math::toUnicode(n.y)), e.params[1], what);
                } else if (n.shape != NamedShape::SlopedLine) {
                    const std::string eq = math::toUnicode(n.equation);
                    expectNear(printed(eq.substr(eq.find('=') + 1)), e.params[0], what);
                }
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

// Each named point is what its name says about the drawn curve.
TEST(TextbookNames, FociDirectricesAndAsymptotesFitTheDrawnConic) {
    Typed t(7);
    for (Family kindId : {Family::EllipseX, Family::EllipseY, Family::HyperbolaX, Family::HyperbolaY}) {
        const bool ellipse = kindId == Family::EllipseX || kindId == Family::EllipseY;
        const bool alongY = kindId == Family::EllipseY || kindId == Family::HyperbolaY;
        for (int round = 0; round < 40; ++round) {
            std::string a = t.positive(), b = t.positive();
            TypedRow row(kindId, {a.c_str(), b.c_str()});
            if (ellipse && row.p[0] < row.p[1] + 0.1) continue; // the foci lie on the named axis
            const double sa = row.p[0];
            const auto f = row.namesOf(kBox2);
            const auto l = row.namesOf(kBox3);
            const std::string what = std::to_string(familyId(kindId)) + " a=" + a + " b=" + b;
            const double c = std::hypot(f[1].values[0], f[1].values[1]);
            const double semiX = alongY ? row.p[1] : sa;
            for (double s : {-0.95, -0.3, 0.0, 0.5, 0.9, 1.5, 4.0}) {
                // a point of the drawn curve; u runs along the axis of the foci
                const double x = ellipse || alongY ? s * semiX : (s < 0 ? -sa : sa) * (1 + std::fabs(s));
                const double y = on(kindId, row, x);
                if (!std::isfinite(y)) continue;
                const double u = alongY ? y : x, v = alongY ? x : y;
                const double d1 = std::hypot(u + c, v), d2 = std::hypot(u - c, v);
                if (ellipse) EXPECT_NEAR(d1 + d2, 2 * sa, 1e-9 * sa) << what; // |PF₁|+|PF₂| = 2a
                else EXPECT_NEAR(std::fabs(d1 - d2), 2 * sa, 1e-9 * sa) << what; // ||PF₁|−|PF₂|| = 2a
                // e = c/a: to the focus as to its directrix (l₁ at +a²/c pairs with F₂)
                EXPECT_NEAR(d2 / std::fabs(u - l[0].values[0]), c / sa, 1e-9) << what;
                EXPECT_NEAR(d1 / std::fabs(u - l[1].values[0]), c / sa, 1e-9) << what;
            }
            if (ellipse) continue;
            // The asymptotes: the drawn branches approach them far out.
            const auto asymptotes = row.namesOf(kBox4);
            const double far = 1e6 * (row.p[0] + row.p[1]);
            EXPECT_NEAR(on(kindId, row, far) / far, asymptotes[0].values[0], 1e-6) << what;
            EXPECT_DOUBLE_EQ(asymptotes[1].values[0], -asymptotes[0].values[0]) << what;
            const double slope = alongY ? row.p[0] / row.p[1] : row.p[1] / row.p[0];
            EXPECT_NEAR(asymptotes[0].values[0], slope, 1e-12 * slope) << what;
        }
    }
}

TEST(TextbookNames, ParabolaFocusAndDirectrixAreEquidistantFromTheCurve) {
    Typed t(11);
    for (Family kindId : {Family::ParabolaRight, Family::ParabolaLeft, Family::ParabolaUp, Family::ParabolaDown}) {
        const bool alongY = kindId == Family::ParabolaUp || kindId == Family::ParabolaDown;
        for (int round = 0; round < 30; ++round) {
            const std::string p = t.any();
            const TypedRow row(kindId, {p.c_str()});
            const TextbookName l = row.namesOf(kBox1)[0], focus = row.namesOf(kBox2)[0];
            for (double x : {-3.0, -0.5, 0.25, 1.0, 4.0}) {
                const double y = on(kindId, row, x);
                if (!std::isfinite(y) || (!alongY && !(y != 0))) continue;
                const double toFocus = std::hypot(x - focus.values[0], y - focus.values[1]);
                const double toLine = std::fabs((alongY ? y : x) - l.values[0]);
                EXPECT_NEAR(toFocus, toLine, 1e-9 * (1 + toLine)) << familyId(kindId) << " p=" << p << " x=" << x;
            }
        }
    }
}

TEST(TextbookNames, CircleCentresAndGivenPointsLieWhereTheCurveSaysSo) {
    Typed t(5);
    for (int round = 0; round < 40; ++round) {
        const std::string a = t.any(), b = t.any(), r = t.positive();
        const TypedRow circle(Family::CircleCentre, {a.c_str(), b.c_str(), r.c_str()});
        const TextbookName c = circle.namesOf(kBox1)[0];
        // straight above and below the centre, the drawn circle is a radius away
        EXPECT_NEAR(on(Family::CircleCentre, circle, c.values[0]) - c.values[1], std::fabs(circle.p[2]), 1e-9) << a << b << r;
        EXPECT_NEAR(c.values[1] - on(Family::CircleCentre, circle, c.values[0], true), std::fabs(circle.p[2]), 1e-9);

        const std::string d = t.any(), e = t.any();
        const TypedRow general(Family::CircleGeneral, {d.c_str(), e.c_str(), "-3"});
        const TextbookName g = general.namesOf(kBox1)[0];
        const double upper = on(Family::CircleGeneral, general, g.values[0]), lower = on(Family::CircleGeneral, general, g.values[0], true);
        EXPECT_NEAR((upper + lower) / 2, g.values[1], 1e-9) << d << " " << e;

        const std::string x1 = t.any(), y1 = t.any(), x2 = t.any(), y2 = t.any();
        const TypedRow two(Family::TwoPoint, {x1.c_str(), y1.c_str(), x2.c_str(), y2.c_str()});
        if (two.p[0] == two.p[2]) continue;
        for (int box : {kBox1, kBox2}) {
            const TextbookName p = two.namesOf(box)[0];
            EXPECT_NEAR(on(Family::TwoPoint, two, p.values[0]), p.values[1], 1e-9 * (1 + std::fabs(p.values[1])));
        }
        const TypedRow slope(Family::PointSlope, {x1.c_str(), y1.c_str(), a.c_str()});
        const TextbookName p1 = slope.namesOf(kBox1)[0];
        EXPECT_NEAR(on(Family::PointSlope, slope, p1.values[0]), p1.values[1], 1e-12);
    }
}
