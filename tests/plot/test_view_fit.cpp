// SPDX-License-Identifier: GPL-3.0-or-later
// Zooming about a point, keeping the centre on a resize, and fitting the view to the scene.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/view_fit.h"
#include "plot/view_zoom.h"
#include "sample_scenes.h"

using namespace yhb;

namespace {

// Where a plane point lands on the canvas.
UnitPoint pixelOf(const CanvasView& c, const ViewSettings& v, UnitPoint p) {
    return {c.originX + p.x * v.pixelsPerUnit, c.originY - p.y * v.pixelsPerUnit};
}

} // namespace

TEST(Zoom, StepsAreTheButtonsOwnAtEveryScale) {
    EXPECT_EQ(zoomedIn(20), 24);
    EXPECT_EQ(zoomedIn(80), 84);
    EXPECT_EQ(zoomedIn(84), 84);
    EXPECT_EQ(zoomedOut(8), 4);
    EXPECT_EQ(zoomedOut(4), 4);
    EXPECT_EQ(zoomedOut(5), 5); // as the button: only from 6 up
    EXPECT_EQ(nearestZoomStep(30.1), 32);
    EXPECT_EQ(nearestZoomStep(1000), 84);
    EXPECT_EQ(nearestZoomStep(0.2), 4);
}

TEST(Zoom, ThePointUnderThePointerStaysUnderIt) {
    CanvasView c;
    c.resize(800, 600);
    ViewSettings v;
    const UnitPoint at{613, 155};
    const UnitPoint under = planeAt(c, v, at.x, at.y);
    ZoomAnchor anchor;
    for (int i = 0; i < 20; ++i) {
        const bool moved = zoomAbout(c, v, at.x, at.y, true, &anchor);
        EXPECT_EQ(moved, i < 16) << i; // 20 -> 84 in 16 steps, then nothing
        const UnitPoint p = pixelOf(c, v, under);
        EXPECT_NEAR(p.x, at.x, 0.5);
        EXPECT_NEAR(p.y, at.y, 0.5);
    }
    EXPECT_EQ(v.pixelsPerUnit, 84);
    for (int i = 0; i < 20; ++i) zoomAbout(c, v, at.x, at.y, false, &anchor);
    EXPECT_EQ(v.pixelsPerUnit, 4);
    UnitPoint p = pixelOf(c, v, under);
    EXPECT_NEAR(p.x, at.x, 0.5);
    EXPECT_NEAR(p.y, at.y, 0.5);
    // After a drag the anchor is the point under the pointer now: the old one, 37 pixels
    // away, moves twice as far away when the scale doubles.
    c.originX += 37;
    zoomAbout(c, v, at.x, at.y, true, &anchor);
    p = pixelOf(c, v, under);
    EXPECT_NEAR(p.x, at.x + 2 * 37, 1.0);
}

TEST(CanvasView, ResizingKeepsThePlanePointAtTheCentre) {
    CanvasView c;
    EXPECT_TRUE(c.resizeKeepingCentre(801, 601)); // the first size centres the origin
    EXPECT_EQ(c.originX, 400);
    c.originX = 350; // dragged
    c.originY = 320;
    EXPECT_FALSE(c.resizeKeepingCentre(1425, 900));
    EXPECT_EQ(c.originX - 1425 / 2, 350 - 801 / 2);
    EXPECT_EQ(c.originY - 900 / 2, 320 - 601 / 2);
    EXPECT_FALSE(c.resizeKeepingCentre(0, 0)); // hidden: nothing moves
    c.resizeKeepingCentre(801, 601);
    EXPECT_EQ(c.originX, 350); // back to where it was, to the pixel
    EXPECT_EQ(c.originY, 320);
}

TEST(CanvasView, AnOriginLeftOutsideIsDraggedBackNotFurther) {
    CanvasView c;
    c.resize(600, 400);
    c.originX = -100; // a zoom about the right edge put it there
    c.press(300, 200);
    EXPECT_TRUE(c.move(250, 200, 20));
    EXPECT_EQ(c.originX, -100); // further out: refused, and no jump back inside either
    EXPECT_TRUE(c.move(400, 200, 20));
    EXPECT_EQ(c.originX, 50);
}

TEST(Fit, EveryNamedPointOfTheFiveRowsIsInsideWithAMargin) {
    Document doc;
    sample::enterFiveRows(doc);
    for (const auto& [w, h] : {std::pair{600, 400}, {1425, 900}, {712, 450}, {2800, 1900}}) {
        doc.canvas = CanvasView{};
        doc.canvas.resize(w, h);
        ASSERT_TRUE(fitToCanvas(doc.table, doc.canvas, doc.view));
        const int mx = fitMargin(w), my = fitMargin(h);
        int named = 0;
        for (int r = 0; r < doc.table.slotCount; ++r) {
            const ExpressionSlot& row = doc.table.slot(r);
            for (int j = 0; j < row.extraCount; ++j) {
                const ExtraPlot& e = row.extras[j];
                if (e.plotOp == PlotOp::VerticalLine) {
                    const double x = pixelOf(doc.canvas, doc.view, {e.params[0], 0}).x;
                    EXPECT_GE(x, mx - 1);
                    EXPECT_LE(x, w - mx + 1);
                }
                if (e.plotOp != PlotOp::PointMark) continue;
                ++named;
                const UnitPoint p = pixelOf(doc.canvas, doc.view, {e.params[0], e.params[1]});
                EXPECT_GE(p.x, mx - 1) << w << " row " << r << " point " << j;
                EXPECT_LE(p.x, w - mx + 1) << w << " row " << r << " point " << j;
                EXPECT_GE(p.y, my - 1) << h << " row " << r << " point " << j;
                EXPECT_LE(p.y, h - my + 1) << h << " row " << r << " point " << j;
            }
        }
        EXPECT_EQ(named, 4 + 2 + 2 + 2 + 1);
        // The sine's period either side fills the width: no larger step would fit it.
        const int next = zoomedIn(doc.view.pixelsPerUnit);
        const PlaneBox box = sceneExtent(doc.table);
        if (next != doc.view.pixelsPerUnit) {
            EXPECT_TRUE(box.width() * next > w - 2 * mx || box.height() * next > h - 2 * my) << w;
        }
        EXPECT_NEAR(box.left, -4 * M_PI, 1e-9); // sin(0.5x): a period of 4π either side
    }
}

TEST(Fit, UnboundedCurvesGetAWindowRoundTheirPoints) {
    Document doc;
    RecordingNotifier n;
    // y = x² - 6x + 10: vertex (3, 1), the y intercept (0, 10).
    test::enter(doc, n, Family::ParabolaGeneral, {"1", "-6", "10"});
    const PlaneBox parabola = sceneExtent(doc.table);
    EXPECT_LE(parabola.left, 0);
    EXPECT_GE(parabola.right, 5);
    EXPECT_LE(parabola.bottom, 0);
    EXPECT_GE(parabola.top, 10);
    // The hyperbola x²/9 - y²/4 = 1 beyond its foci (±√13), and both branches.
    Document hyperbola;
    test::enter(hyperbola, n, Family::HyperbolaX, {"3", "2"});
    const PlaneBox box = sceneExtent(hyperbola.table);
    EXPECT_GT(box.right, std::sqrt(13.0) + 1);
    EXPECT_LT(box.left, -std::sqrt(13.0) - 1);
    EXPECT_GT(box.top, 2);
    // A line far from the origin: both its intercepts and the origin.
    Document line;
    test::enter(line, n, Family::SlopeIntercept, {"-1", "40"});
    line.canvas.resize(600, 400);
    fitToCanvas(line.table, line.canvas, line.view);
    EXPECT_EQ(line.view.pixelsPerUnit, 8); // 40 units in 400 - 2 * 30 pixels
    const UnitPoint a = pixelOf(line.canvas, line.view, {0, 40}), b = pixelOf(line.canvas, line.view, {40, 0});
    EXPECT_GE(a.y, 0);
    EXPECT_LE(b.x, 600);
}

TEST(Fit, AFigureTooFarForTheLeastScaleKeepsTheOriginInSight) {
    Document doc;
    RecordingNotifier n;
    test::enter(doc, n, Family::CircleCentre, {"900", "-700", "2"});
    doc.canvas.resize(600, 400);
    fitToCanvas(doc.table, doc.canvas, doc.view);
    EXPECT_EQ(doc.view.pixelsPerUnit, kLeastScale);
    EXPECT_GE(doc.canvas.originX, fitMargin(600));
    EXPECT_LE(doc.canvas.originY, 400 - fitMargin(400));
    EXPECT_GE(doc.canvas.originY, 0);
    // Nothing at all: the origin centred at a scale that shows a few units.
    Document empty;
    empty.canvas.resize(600, 400);
    fitToCanvas(empty.table, empty.canvas, empty.view);
    EXPECT_EQ(empty.canvas.originX, 300);
    EXPECT_EQ(empty.canvas.originY, 200);
    EXPECT_EQ(empty.view.pixelsPerUnit, 56); // 6 units in 400 - 60 pixels
}
