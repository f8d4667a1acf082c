// SPDX-License-Identifier: GPL-3.0-or-later
// Every family's equation as a textbook prints it, from the coefficients a teacher types.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "families/family_table.h"
#include "plot/curve.h"
#include "textbook_helpers.h"

using namespace yhb;
using test::TypedRow;

TEST(TextbookEquation, EveryFamilyHasAForm) {
    for (const FamilySpec& f : families()) {
        const TextbookForm* form = textbookForm(f.kind);
        ASSERT_NE(form, nullptr) << f.cliName;
        ASSERT_NE(form->equation, nullptr) << f.cliName;
        EXPECT_EQ(form->names != nullptr, !f.boxes.empty()) << f.cliName;
    }
    EXPECT_EQ(textbookForm(Family::None), nullptr);
}

TEST(TextbookEquation, StraightLines) {
    // Slope-intercept: a typed −0.5 is the built-up −½; 1 is left out, −1 is a bare minus.
    EXPECT_EQ(TypedRow(Family::SlopeIntercept, {"-0.5", "-2"}).equation(), "y=−x/2−2");
    EXPECT_EQ(TypedRow(Family::SlopeIntercept, {"-0.5", "-2"}).equation(true), "y=−½x−2");
    EXPECT_EQ(TypedRow(Family::SlopeIntercept, {"1", "0"}).equation(), "y=x");
    EXPECT_EQ(TypedRow(Family::SlopeIntercept, {"-1", "3"}).equation(), "y=−x+3");
    EXPECT_EQ(TypedRow(Family::SlopeIntercept, {"0", "-2"}).equation(), "y=−2");
    EXPECT_EQ(TypedRow(Family::SlopeIntercept, {"2/3", "1.5"}).equation(), "y=2x/3+3/2");
    EXPECT_EQ(TypedRow(Family::SlopeIntercept, {"√3", "-1"}).equation(), "y=√3·x−1");
    EXPECT_EQ(TypedRow(Family::SlopeIntercept, {"1.2", "0.3"}).equation(), "y=1.2x+0.3");
    EXPECT_EQ(TypedRow(Family::SlopeIntercept, {"2.0", "-3.0"}).equation(), "y=2x−3");

    // Point-slope: y−y₁=k(x−x₁), with the signs worked into the brackets.
    EXPECT_EQ(TypedRow(Family::PointSlope, {"1", "2", "3"}).equation(), "y−2=3(x−1)");
    EXPECT_EQ(TypedRow(Family::PointSlope, {"-1", "0", "-1"}).equation(), "y=−(x+1)");
    EXPECT_EQ(TypedRow(Family::PointSlope, {"0", "-2", "0.5"}).equation(), "y+2=x/2");
    EXPECT_EQ(TypedRow(Family::PointSlope, {"4", "-3", "1"}).equation(), "y+3=x−4");
    EXPECT_EQ(TypedRow(Family::PointSlope, {"3", "2", "0"}).equation(), "y=2");

    // Two-point: the differences worked out; a line parallel to an axis has no two-point form.
    EXPECT_EQ(TypedRow(Family::TwoPoint, {"1", "2", "3", "5"}).equation(), "(y−2)/3=(x−1)/2");
    EXPECT_EQ(TypedRow(Family::TwoPoint, {"-1", "4", "1", "3"}).equation(), "(y−4)/(−1)=(x+1)/2");
    EXPECT_EQ(TypedRow(Family::TwoPoint, {"1", "2", "1", "5"}).equation(), "x=1");
    EXPECT_EQ(TypedRow(Family::TwoPoint, {"-1", "2", "4", "2"}).equation(), "y=2");

    // Intercept: a negative intercept puts its sign in front of the term.
    EXPECT_EQ(TypedRow(Family::Intercept, {"3", "4"}).equation(), "x/3+y/4=1");
    EXPECT_EQ(TypedRow(Family::Intercept, {"-3", "4"}).equation(), "−x/3+y/4=1");
    EXPECT_EQ(TypedRow(Family::Intercept, {"1", "-1"}).equation(), "x−y=1");

    // General: zero terms dropped.
    EXPECT_EQ(TypedRow(Family::GeneralLine, {"1", "-2", "3"}).equation(), "x−2y+3=0");
    EXPECT_EQ(TypedRow(Family::GeneralLine, {"0", "1", "-1"}).equation(), "y−1=0");
    EXPECT_EQ(TypedRow(Family::GeneralLine, {"-3", "0", "6"}).equation(), "−3x+6=0");
}

TEST(TextbookEquation, TrigonometricFunctions) {
    EXPECT_EQ(TypedRow(Family::Sin, {"2", "2", "-1"}).equation(), "y=2sin(2x)−1");
    EXPECT_EQ(TypedRow(Family::Sin, {"1", "1", "0"}).equation(), "y=sin x");
    EXPECT_EQ(TypedRow(Family::Sin, {"-1", "0.5", "0"}).equation(), "y=−sin(x/2)");
    EXPECT_EQ(TypedRow(Family::Sin, {"1", "-1", "0.5"}).equation(true), "y=sin(−x)+½");
    EXPECT_EQ(TypedRow(Family::Cos, {"3", "π", "0"}).equation(), "y=3cos(πx)");
    EXPECT_EQ(TypedRow(Family::Cos, {"0.3", "1", "-2"}).equation(), "y=0.3cos x−2");
    EXPECT_EQ(TypedRow(Family::Tan, {"1", "1", "0"}).equation(), "y=tan x");
    EXPECT_EQ(TypedRow(Family::Tan, {"-2", "3", "1"}).equation(), "y=−2tan(3x)+1");
}

TEST(TextbookEquation, ExponentialAndLogarithm) {
    EXPECT_EQ(TypedRow(Family::Exponential, {"1", "2"}).equation(), "y=2ˣ");
    EXPECT_EQ(TypedRow(Family::Exponential, {"1", "0.5"}).equation(true), "y=(½)ˣ");
    EXPECT_EQ(TypedRow(Family::Exponential, {"1", "0.5"}).equation(), "y=(1/2)ˣ");
    EXPECT_EQ(TypedRow(Family::Exponential, {"3", "2"}).equation(), "y=3·2ˣ");
    EXPECT_EQ(TypedRow(Family::Exponential, {"-1", "√2"}).equation(), "y=−(√2)ˣ");
    EXPECT_EQ(TypedRow(Family::Exponential, {"1", "1.7"}).equation(), "y=1.7ˣ");
    EXPECT_EQ(TypedRow(Family::Logarithm, {"1"}).equation(), "y=lg x");
    EXPECT_EQ(TypedRow(Family::Logarithm, {"2"}).equation(), "y=2lg x");
    EXPECT_EQ(TypedRow(Family::Logarithm, {"-1"}).equation(), "y=−lg x");
}

TEST(TextbookEquation, EllipsesAndHyperbolasWorkOutTheSquares) {
    EXPECT_EQ(TypedRow(Family::EllipseX, {"2", "√3"}).equation(), "x²/4+y²/3=1");
    EXPECT_EQ(TypedRow(Family::EllipseX, {"2", "1.732"}).equation(), "x²/4+y²/3=1"); // recognised as √3
    EXPECT_EQ(TypedRow(Family::EllipseX, {"2", "1.7"}).equation(), "x²/4+y²/2.89=1");
    EXPECT_EQ(TypedRow(Family::EllipseX, {"1", "2√2"}).equation(), "x²+y²/8=1");
    EXPECT_EQ(TypedRow(Family::EllipseX, {"5", "1.5"}).equation(), "x²/25+y²/(9/4)=1");
    // The first field of ellipse-y is the semi-axis along y; the textbook writes y first.
    EXPECT_EQ(TypedRow(Family::EllipseY, {"5", "4"}).equation(), "y²/25+x²/16=1");
    EXPECT_EQ(TypedRow(Family::HyperbolaX, {"4", "3"}).equation(), "x²/16−y²/9=1");
    EXPECT_EQ(TypedRow(Family::HyperbolaX, {"1", "1"}).equation(), "x²−y²=1");
    EXPECT_EQ(TypedRow(Family::HyperbolaY, {"2", "√5"}).equation(), "y²/4−x²/5=1");
}

TEST(TextbookEquation, ParabolasAndCircles) {
    EXPECT_EQ(TypedRow(Family::ParabolaRight, {"2"}).equation(), "y²=4x");
    EXPECT_EQ(TypedRow(Family::ParabolaRight, {"0.5"}).equation(), "y²=x");
    EXPECT_EQ(TypedRow(Family::ParabolaLeft, {"2"}).equation(), "y²=−4x");
    EXPECT_EQ(TypedRow(Family::ParabolaUp, {"4"}).equation(), "x²=8y");
    EXPECT_EQ(TypedRow(Family::ParabolaDown, {"4"}).equation(), "x²=−8y");
    EXPECT_EQ(TypedRow(Family::ParabolaDown, {"0.25"}).equation(true), "x²=−½y");
    EXPECT_EQ(TypedRow(Family::ParabolaGeneral, {"1", "-2", "3"}).equation(), "y=x²−2x+3");
    EXPECT_EQ(TypedRow(Family::ParabolaGeneral, {"-0.5", "0", "2"}).equation(), "y=−x²/2+2");
    EXPECT_EQ(TypedRow(Family::ParabolaGeneral, {"0", "0", "0"}).equation(), "y=0");

    EXPECT_EQ(TypedRow(Family::CircleOrigin, {"2"}).equation(), "x²+y²=4");
    EXPECT_EQ(TypedRow(Family::CircleOrigin, {"√2"}).equation(), "x²+y²=2");
    EXPECT_EQ(TypedRow(Family::CircleOrigin, {"1.5"}).equation(), "x²+y²=9/4");
    EXPECT_EQ(TypedRow(Family::CircleCentre, {"-2", "1", "2"}).equation(), "(x+2)²+(y−1)²=4");
    EXPECT_EQ(TypedRow(Family::CircleCentre, {"0", "-3", "√3"}).equation(), "x²+(y+3)²=3");
    EXPECT_EQ(TypedRow(Family::CircleGeneral, {"-4", "2", "1"}).equation(), "x²+y²−4x+2y+1=0");
    EXPECT_EQ(TypedRow(Family::CircleGeneral, {"0", "-6", "0"}).equation(), "x²+y²−6y=0");
}

// A row without exact values (a slider's numbers) is written in decimals, worked out exactly
// where they end.
TEST(TextbookEquation, RowsWithoutExactValuesAreDecimals) {
    const double p[10] = {-0.5, 2.0, 1.0 / 3.0};
    EXPECT_EQ(math::toUnicode(textbookForm(Family::Sin)->equation(RowValues{p, nullptr})), "y=−0.5sin(2x)+0.333333");
    const double q[10] = {1.7, 0.5};
    EXPECT_EQ(math::toUnicode(textbookForm(Family::EllipseX)->equation(RowValues{q, nullptr})), "x²/2.89+y²/0.25=1");
    // a slider moved 1.732 (√3) on to 1.8: the stale √3 is not shown
    std::optional<ExactValue> stale[10] = {parseExact("√3").exact};
    const double moved[10] = {1.8, 2};
    EXPECT_EQ(math::toUnicode(textbookForm(Family::EllipseX)->equation(RowValues{moved, stale})), "x²/3.24+y²/4=1");
}

TEST(TextbookEquation, NoSignIsEverDoubled) {
    const char* typed[] = {"-3", "-1", "-0.5", "0", "0.5", "1", "2", "-√3", "(1-√5)/2", "-π/6"};
    for (const FamilySpec& f : families())
        for (const char* a : typed)
            for (const char* b : typed) {
                const std::string eq = TypedRow(f.kind, {a, b, a, b}).equation();
                for (const char* bad : {"+−", "−−", "−+", "++", "=+", ".0x", ".0y", "1x", "1y", "+0x", "−0x"})
                    EXPECT_EQ(eq.find(bad), std::string::npos) << f.cliName << " " << a << " " << b << ": " << eq;
            }
}

TEST(TextbookEquation, LatexAndMathMl) {
    EXPECT_EQ(math::toLatex(TypedRow(Family::EllipseX, {"2", "√3"}).equationTree()), "\\frac{x^{2}}{4}+\\frac{y^{2}}{3}=1");
    EXPECT_EQ(math::toLatex(TypedRow(Family::SlopeIntercept, {"-0.5", "-2"}).equationTree()), "y=-\\frac{1}{2}x-2");
    EXPECT_EQ(math::toLatex(TypedRow(Family::Sin, {"2", "2", "-1"}).equationTree()), "y=2\\sin(2x)-1");
    EXPECT_EQ(math::toLatex(TypedRow(Family::Logarithm, {"1"}).equationTree()), "y=\\lg x");
    EXPECT_EQ(math::toLatex(TypedRow(Family::Cos, {"1", "π", "0"}).equationTree()), "y=\\cos(\\pi x)");
    EXPECT_EQ(math::toLatex(TypedRow(Family::Exponential, {"1", "0.5"}).equationTree()), "y=\\left(\\frac{1}{2}\\right)^{x}");
    EXPECT_EQ(math::toLatex(TypedRow(Family::CircleCentre, {"-2", "1", "√2"}).equationTree()), "(x+2)^{2}+(y-1)^{2}=2");

    EXPECT_EQ(math::toMathMl(TypedRow(Family::EllipseX, {"2", "√3"}).equationTree()),
              "<math xmlns=\"http://www.w3.org/1998/Math/MathML\"><mrow>"
              "<mfrac><msup><mi>x</mi><mn>2</mn></msup><mn>4</mn></mfrac><mo>+</mo>"
              "<mfrac><msup><mi>y</mi><mn>2</mn></msup><mn>3</mn></mfrac><mo>=</mo><mn>1</mn></mrow></math>");
    EXPECT_EQ(math::toMathMl(TypedRow(Family::Tan, {"-1", "2", "0"}).equationTree()),
              "<math xmlns=\"http://www.w3.org/1998/Math/MathML\"><mrow><mi>y</mi><mo>=</mo><mo form=\"prefix\">−</mo>"
              "<mi>tan</mi><mo>&#x2061;</mo><mrow><mo>(</mo><mn>2</mn><mi>x</mi><mo>)</mo></mrow></mrow></math>");
}

// Every family's MathML is well formed, so a word processor takes it as an equation.
TEST(TextbookEquation, MathMlIsWellFormed) {
    for (const FamilySpec& f : families()) {
        const std::string xml = math::toMathMl(TypedRow(f.kind, {"-0.5", "√3", "2π/3", "(1+√5)/2"}).equationTree());
        std::vector<std::string> open;
        for (std::size_t i = xml.find('<'); i != std::string::npos; i = xml.find('<', i + 1)) {
            const std::size_t end = xml.find('>', i);
            ASSERT_NE(end, std::string::npos) << xml;
            std::string tag = xml.substr(i + 1, end - i - 1);
            if (tag[0] == '/') {
                ASSERT_FALSE(open.empty()) << xml;
                EXPECT_EQ(open.back(), tag.substr(1)) << f.cliName << ": " << xml;
                open.pop_back();
            } else {
                open.push_back(tag.substr(0, tag.find(' ')));
            }
        }
        EXPECT_TRUE(open.empty()) << f.cliName << ": " << xml;
        for (const char* part : {"<mfrac>", "<msup>"}) {
            // fractions and scripts take exactly two children: never a bare run of siblings
            for (std::size_t i = xml.find(part); i != std::string::npos; i = xml.find(part, i + 1)) {
                int depth = 0, children = 0;
                for (std::size_t j = xml.find('<', i + 1);; j = xml.find('<', j + 1)) {
                    if (xml[j + 1] == '/') {
                        if (depth-- == 0) break;
                    } else if (depth++ == 0) {
                        ++children;
                    }
                }
                EXPECT_EQ(children, 2) << f.cliName << ": " << xml.substr(i, 80);
            }
        }
    }
}
