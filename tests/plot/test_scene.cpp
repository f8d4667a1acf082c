// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/cp936.h"
#include "gfx/recording_surface.h"
#include "plot/canvas_scene.h"
#include "plot/curve.h"

using namespace yhb;
using Kind = RecordingSurface::Kind;

namespace {

std::vector<std::string> texts(const RecordingSurface& s) {
    std::vector<std::string> out;
    for (auto* op : s.ofKind(Kind::Text)) out.push_back(op->text);
    return out;
}

RecordingSurface scene(const ExpressionTable& t, const ViewSettings& v, int w = 600, int h = 400) {
    RecordingSurface s;
    s.setOrigin(w / 2, h / 2);
    paintCanvas(s, t, v, w, h);
    return s;
}

bool has(const std::vector<std::string>& v, const std::string& x) { return std::find(v.begin(), v.end(), x) != v.end(); }

} // namespace

TEST(CanvasView, FirstSizeCentresLaterSizesKeepTheOrigin) {
    CanvasView v;
    EXPECT_FALSE(v.resize(0, 0));
    EXPECT_TRUE(v.resize(600, 400));
    EXPECT_EQ(v.originX, 300);
    EXPECT_EQ(v.originY, 200);
    EXPECT_FALSE(v.resize(800, 600));
    EXPECT_EQ(v.originX, 300);
}

TEST(CanvasView, DraggingHasADeadZoneAndStaysOneUnitInside) {
    CanvasView v;
    v.resize(600, 400);
    EXPECT_FALSE(v.move(10, 10, 20)); // not dragging
    v.press(100, 100);
    for (int i = 1; i <= 30; ++i) EXPECT_FALSE(v.move(100 + i, 100, 20)); // one pixel at a time
    EXPECT_EQ(v.originX, 300);
    EXPECT_TRUE(v.move(140, 110, 20));
    EXPECT_EQ(v.originX, 310);
    EXPECT_EQ(v.originY, 210);
    EXPECT_TRUE(v.move(2000, 110, 20));
    EXPECT_EQ(v.originX, 600 - 20);
    EXPECT_TRUE(v.move(-5000, -5000, 20));
    EXPECT_EQ(v.originX, 20);
    EXPECT_EQ(v.originY, 20);
    v.release();
    EXPECT_FALSE(v.move(300, 300, 20));
}

TEST(CanvasScene, AxisNumbersInPlainAndPiMode) {
    ExpressionTable t;
    ViewSettings v;
    auto plain = texts(scene(t, v));
    for (int n = -14; n <= 14; ++n) EXPECT_TRUE(has(plain, std::to_string(n))) << n;
    EXPECT_FALSE(has(plain, "15"));
    EXPECT_FALSE(has(plain, "-15"));
    EXPECT_EQ(std::count(plain.begin(), plain.end(), "0"), 1); // the y axis shows no 0

    v.piAxis = true;
    RecordingSurface pi = scene(t, v);
    auto piTexts = texts(pi);
    EXPECT_TRUE(has(piTexts, "1π"));
    EXPECT_TRUE(has(piTexts, "-4π"));
    bool tickAt62 = false, tickAt125 = false;
    for (auto* op : pi.ofKind(Kind::Line)) {
        if (op->points[0] == Point{62, 0} && op->points[1] == Point{62, -5}) tickAt62 = true;
        if (op->points[0] == Point{125, 0}) tickAt125 = true;
    }
    EXPECT_TRUE(tickAt62);
    EXPECT_TRUE(tickAt125);

    v.piAxis = false;
    v.showLabels = false;
    RecordingSurface bare = scene(t, v);
    EXPECT_TRUE(bare.ofKind(Kind::Text).empty());
    EXPECT_GT(bare.ofKind(Kind::Line).size(), 40u); // ticks stay
}

TEST(CanvasScene, BackgroundThenRowsThenAxesInTheRowsOwnColours) {
    ExpressionTable t;
    t.slotCount = 2;
    t.slot(0).kind = Family::SlopeIntercept;
    t.slot(0).params[0] = 1;
    t.slot(0).colourIndex = 3;
    t.slot(1).kind = Family::SlopeIntercept;
    t.slot(1).params[1] = 2;
    t.slot(1).colourIndex = 1;
    t.slot(1).extraCount = 1;
    t.slot(1).extras[0].plotOp = PlotOp::PointMark;
    t.slot(1).extras[0].params[0] = 1;
    t.slot(1).extras[0].params[1] = 2;
    RecordingSurface s = scene(t, ViewSettings{});
    const auto& ops = s.ops();
    ASSERT_EQ(ops.front().kind, Kind::Origin);
    EXPECT_EQ(ops[1].kind, Kind::Fill);
    EXPECT_EQ(ops[1].colour, kGrey);
    EXPECT_EQ(ops[1].l, -300);
    EXPECT_EQ(ops[1].b, 200);
    std::vector<Colour> pens, textColours;
    std::size_t firstAxis = 0, lastPolyline = 0;
    for (std::size_t i = 0; i < ops.size(); ++i) {
        if (ops[i].kind == Kind::Pen) pens.push_back(ops[i].colour);
        if (ops[i].kind == Kind::TextColour) textColours.push_back(ops[i].colour);
        if (ops[i].kind == Kind::Polyline) lastPolyline = i;
        if (ops[i].kind == Kind::Line && !firstAxis) firstAxis = i;
    }
    ASSERT_GE(pens.size(), 3u);
    EXPECT_EQ(pens[0], SlotColours[3]); // the row's own colour
    EXPECT_EQ(pens[1], SlotColours[1]);
    // Captions too: after a deletion the second row's point is captioned in its own colour,
    // not in the colour of its position.
    EXPECT_EQ(textColours[0], SlotColours[3]);
    EXPECT_EQ(textColours[1], SlotColours[1]);
    for (const auto& op : ops)
        if (op.kind == Kind::Text && op.text == "(1.00,2.00)") {
            EXPECT_EQ(op.colour, SlotColours[1]);
        }
    EXPECT_LT(lastPolyline, firstAxis); // curves under the axes
    EXPECT_TRUE(has(texts(s), "(1.00,2.00)"));
}

TEST(CanvasScene, ReadOutShowsThePlaneCoordinatesBesideTheClick) {
    RecordingSurface s;
    s.setOrigin(300, 200);
    drawReadOut(s, ViewSettings{}, 310, 230);
    auto t = s.ofKind(Kind::Text);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0]->text, "(0.50,-1.50)");
    EXPECT_EQ(t[0]->l, 15);
    EXPECT_EQ(t[0]->t, 25);
}
