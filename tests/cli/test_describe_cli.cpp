// SPDX-License-Identifier: GPL-3.0-or-later
// plot --describe: each row's equation in textbook notation, then its named points and lines,
// one line each, from the coefficients as typed on the command line.
#include <gtest/gtest.h>

#include <filesystem>

#include "tool_helpers.h"

using namespace yhb::test;

namespace {

// The tool's lines for these EXPRs; a failure names the command line.
std::string describe(const std::string& args) {
    const ToolRun r = cli("plot --describe " + args);
    EXPECT_EQ(r.status, 0) << args << ": " << r.err;
    return r.out;
}

} // namespace

TEST(DescribeCli, StraightLines) {
    EXPECT_EQ(describe("line-slope:-0.5,-2 line-slope:1/3,0 'line-slope:√3,-1'"), "y=−½x−2\ny=⅓x\ny=√3·x−1\n");
    EXPECT_EQ(describe("line-point-slope:1,2,3+1010 line-two-point:-1,4,1,3+1010+1011"),
              "y−2=3(x−1)\nP₁(1,2)\n(y−4)/(−1)=(x+1)/2\nP₁(−1,4)\nP₂(1,3)\n");
    EXPECT_EQ(describe("line-intercept:-3,4 line-general:1,-2,3"), "−x/3+y/4=1\nx−2y+3=0\n");
}

TEST(DescribeCli, TrigonometricExponentialAndLogarithm) {
    EXPECT_EQ(describe("sin:2,2,-1 cos:1,π,0 'tan:-1,1/2,0'"), "y=2sin(2x)−1\ny=cos(πx)\ny=−tan(½x)\n");
    EXPECT_EQ(describe("exponential:1,0.5 exponential:3,2 logarithm:1 logarithm:-2"), "y=(½)ˣ\ny=3·2ˣ\ny=lg x\ny=−2lg x\n");
}

// The ellipse of the question's figure line: 1.732 is recognised as √3, so both read the same.
TEST(DescribeCli, EllipsesWithTheirNamedPointsAndDirectrices) {
    const std::string named = "x²/4+y²/3=1\nA₁(−2,0)\nA₂(2,0)\nB₁(0,−√3)\nB₂(0,√3)\nF₁(−1,0)\nF₂(1,0)\nl: x=4\nl: x=−4\n";
    EXPECT_EQ(describe("'ellipse-x:2,√3+1010+1011+1012'"), named);
    EXPECT_EQ(describe("ellipse-x:2,1.732+1010+1011+1012"), named);
    EXPECT_EQ(describe("ellipse-y:5,4+1011"), "y²/25+x²/16=1\nF₁(0,−3)\nF₂(0,3)\n");
}

TEST(DescribeCli, HyperbolasWithTheirAsymptotes) {
    EXPECT_EQ(describe("hyperbola-x:4,3+1010+1011+1013"),
              "x²/16−y²/9=1\nA₁(−4,0)\nA₂(4,0)\nF₁(−5,0)\nF₂(5,0)\ny=¾x\ny=−¾x\n");
    EXPECT_EQ(describe("'hyperbola-y:2,√5+1011'"), "y²/4−x²/5=1\nF₁(0,−3)\nF₂(0,3)\n");
}

TEST(DescribeCli, ParabolasWithFocusAndDirectrix) {
    EXPECT_EQ(describe("parabola-right:2+1010+1011"), "y²=4x\nl: x=−1\nF(1,0)\n");
    EXPECT_EQ(describe("parabola-left:2 parabola-up:4 parabola-down:0.25"), "y²=−4x\nx²=8y\nx²=−½y\n");
    EXPECT_EQ(describe("parabola-general:1,-2,3"), "y=x²−2x+3\n");
}

TEST(DescribeCli, CirclesWithTheirCentres) {
    EXPECT_EQ(describe("circle-origin:2 circle-centre:-2,1,2+1010"), "x²+y²=4\n(x+2)²+(y−1)²=4\nC(−2,1)\n");
    EXPECT_EQ(describe("circle-general:-4,2,1+1010"), "x²+y²−4x+2y+1=0\nC(2,−1)\n");
}

TEST(DescribeCli, LatexAndTheTextbookFlag) {
    EXPECT_EQ(cli("plot --describe=latex 'ellipse-x:2,√3+1011' line-slope:-0.5,-2").out,
              "\\frac{x^{2}}{4}+\\frac{y^{2}}{3}=1\nF_{1}(-1,0)\nF_{2}(1,0)\ny=-\\frac{1}{2}x-2\n");

    // --textbook goes into a saved lesson, and the lesson presets it for the next run.
    TempDir d;
    const ToolRun saved = cli("plot --textbook --save-lesson " + quoted(d / "a.yhb") + " sin:2,2,-1");
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_NE(slurp(d / "a.yhb").find(" textbook=1\n"), std::string::npos) << slurp(d / "a.yhb");
    ASSERT_EQ(cli("plot --lesson " + quoted(d / "a.yhb") + " --save-lesson " + quoted(d / "b.yhb")).status, 0);
    EXPECT_EQ(slurp(d / "b.yhb"), slurp(d / "a.yhb"));
    ASSERT_EQ(cli("plot --save-lesson " + quoted(d / "c.yhb") + " sin:2,2,-1").status, 0);
    EXPECT_EQ(slurp(d / "c.yhb").find("textbook"), std::string::npos) << slurp(d / "c.yhb");
    // A lesson's rows are described as well, and --describe alone writes no file.
    EXPECT_EQ(cli("plot --describe --lesson " + quoted(d / "a.yhb"), d.path()).out, "y=2sin(2x)−1\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(d.path()), {}), 3);
}

TEST(DescribeCli, AnUnknownFormatIsNamedInChinese) {
    const ToolRun r = cli("plot --describe=xyz sin");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("--describe 只能写成 --describe（文本）或 --describe=latex，这里是“xyz”"), std::string::npos) << r.err;
    // Without --describe, -o or --trace there is still nothing to do.
    EXPECT_EQ(cli("plot sin").status, 2);
}
