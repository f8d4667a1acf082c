// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "families/labels.h"
#include "form_helpers.h"
#include "plot/curve.h"

using namespace yhb;
using namespace yhb::test;

namespace {

std::string labelOf(Family kind, const std::vector<std::string>& fields) {
    Document doc;
    RecordingNotifier n;
    EXPECT_TRUE(enter(doc, n, kind, fields));
    return readLabel(doc.table.slot(0).labels);
}

} // namespace

TEST(Labels, TextsOfEveryFamilyGroup) {
    EXPECT_EQ(labelOf(Family::SlopeIntercept, {"2", "-3"}), "y=2.0x+-3.0");
    EXPECT_EQ(labelOf(Family::PointSlope, {"1", "2", "3"}), "y-2.0=3.0(x-1.0)");
    EXPECT_EQ(labelOf(Family::TwoPoint, {}), "[y-0.0/1.0-0.0] = [x-0.0/1.0-0.0]");
    EXPECT_EQ(labelOf(Family::Intercept, {}), "[x/1.0] + [y/-1.0] =1");
    // The argument names its x: "sin1.0" alone was an equation without a variable.
    EXPECT_EQ(labelOf(Family::Sin, {}), "y=1.0sin(1.0x)+0.0");
    EXPECT_EQ(labelOf(Family::Cos, {"2", "0.5", "-1"}), "y=2.0cos(0.5x)+-1.0");
    EXPECT_EQ(labelOf(Family::Tan, {"-1", "3", "2"}), "y=-1.0tan(3.0x)+2.0");
    EXPECT_EQ(labelOf(Family::Exponential, {}), "y=1.0*2.0^X");
    EXPECT_EQ(labelOf(Family::Logarithm, {}), "y=1.0*lgX");
    EXPECT_EQ(labelOf(Family::CircleOrigin, {}), "x^2+y^2=2.0^2");
    EXPECT_EQ(labelOf(Family::CircleCentre, {"-1", "2", "3"}), "(x--1.0)^2+(y-2.0)^2=3.0^2");
    EXPECT_EQ(labelOf(Family::CircleGeneral, {}), "x^2+y^2+-3.0x+-3.0y+1.0=0");
    EXPECT_EQ(labelOf(Family::EllipseX, {}), "[x^2/5.0^2] + [y^2/4.0^2] =1");
    EXPECT_EQ(labelOf(Family::EllipseY, {}), "[x^2/4.0^2] + [y^2/5.0^2] =1");
    EXPECT_EQ(labelOf(Family::HyperbolaY, {}), "[y^2/5.0^2] - [x^2/4.0^2] =1");
}

TEST(Labels, StructureAndFonts) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(enter(doc, n, Family::SlopeIntercept, {"2", "-3"}));
    ASSERT_TRUE(enter(doc, n, Family::CircleOrigin, {}));
    ASSERT_TRUE(enter(doc, n, Family::TwoPoint, {}));
    const ItemList& line = doc.table.slot(0).labels;
    ASSERT_EQ(line.count(), 1);
    EXPECT_EQ(line.at(0)->charWidth, doc.metrics.labelCharWidth + doc.metrics.wideLabelExtra);
    EXPECT_EQ(line.at(0)->charHeight, doc.metrics.labelFontHeight);

    const ItemList& circle = doc.table.slot(1).labels;
    ASSERT_EQ(circle.count(), 5);
    int squares = 0;
    for (int i = 0; i < circle.count(); ++i) squares += dynamic_cast<SuperscriptItem*>(circle.at(i)) != nullptr;
    EXPECT_EQ(squares, 3);
    // The composites' parts are owned by the list: 5 top-level items, 6 parts.
    EXPECT_EQ(circle.ownedCount(), 11);

    const ItemList& two = doc.table.slot(2).labels;
    ASSERT_EQ(two.count(), 3);
    EXPECT_NE(dynamic_cast<FractionItem*>(two.at(0)), nullptr);
    EXPECT_NE(dynamic_cast<FractionItem*>(two.at(2)), nullptr);
}

TEST(Labels, HugeAndOddNumbersStayReadable) {
    EXPECT_EQ(formatNumber(1.26), "1.3");
    EXPECT_EQ(formatNumber(-4), "-4.0");
    EXPECT_EQ(formatNumber(1e100), "1e+100");
    EXPECT_EQ(formatNumber(-1e308), "-1e+308");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_LE(formatNumber(-std::numeric_limits<double>::max()).size(), 24u);
    EXPECT_EQ(labelOf(Family::SlopeIntercept, {"1e300", "2"}), "y=1e+300x+2.0");
}
