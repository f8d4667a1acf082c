// SPDX-License-Identifier: GPL-3.0-or-later
// 留下轨迹 without the window: what the sliders record, and the data a trail is kept in.
#include <gtest/gtest.h>

#include <cmath>

#include "dialogs/coefficient_sliders.h"
#include "families/trail_points.h"
#include "form_helpers.h"
#include "gfx/recording_surface.h"
#include "plot/palette.h"
#include "plot/loci.h"

using namespace yhb;
using namespace yhb::test;

namespace {

// An ellipse x²/5² + y²/b² = 1 with b at 1.0 and its slider ready, tracing or not.
struct EllipseRun {
    explicit EllipseRun(bool tracing) : open(doc, Family::EllipseX, n), sliders(open.form) {
        beginNew(doc, n);
        open.form.initialise();
        open.form.fieldTexts = {"5", "1"};
        sliders.reset();
        sliders.setTracing(tracing);
    }
    Document doc;
    RecordingNotifier n;
    OpenForm open;
    SliderSet sliders;
    const RowTrail& trail() const { return doc.table.slot(0).trail; }
};

} // namespace

// The example a teacher shows: a = 5, b from 1 to 5, the foci F(±√(25 − b²), 0) slide along
// the axis and meet at the centre; the vertices (0, ±b) climb the y axis; (±5, 0) stay.
TEST(Trails, TheFociOfAnEllipseRunAlongTheAxisToTheCentre) {
    EllipseRun e(true);
    for (int p = 11; p <= 50; ++p) ASSERT_EQ(e.sliders.move(1, p), SliderSet::Outcome::Applied);
    const RowTrail& t = e.trail();
    // Two foci and the two moving vertices; the fixed vertices leave nothing.
    ASSERT_EQ(t.strokes.size(), 4u);
    int onXAxis = 0, onYAxis = 0;
    for (const TrailStroke& s : t.strokes) {
        ASSERT_EQ(s.size(), 41u); // b = 1.0, 1.1, … 5.0
        const bool alongX = s.front().y == 0 && s.back().y == 0;
        onXAxis += alongX;
        onYAxis += s.front().x == 0 && s.back().x == 0;
        if (!alongX) continue;
        EXPECT_NEAR(std::fabs(s.front().x), std::sqrt(24.0), 1e-12);
        EXPECT_NEAR(s.back().x, 0.0, 1e-12) << "the foci meet at the centre";
        for (std::size_t k = 1; k < s.size(); ++k) {
            EXPECT_EQ(s[k].y, 0.0);
            EXPECT_LE(std::fabs(s[k].x), std::fabs(s[k - 1].x)); // always towards the centre
        }
    }
    EXPECT_EQ(onXAxis, 2);
    EXPECT_EQ(onYAxis, 2);
}

// y = x² + bx + c turns at (−b/2, c − b²/4): as b runs, the vertex walks the parabola
// y = −x² + c.
TEST(Trails, TheVertexOfAGeneralParabolaTracesAParabola) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(beginNew(doc, n));
    OpenForm open(doc, Family::ParabolaGeneral, n);
    open.form.fieldTexts = {"1", "-4", "2"};
    SliderSet sliders(open.form);
    sliders.setTracing(true);
    ASSERT_EQ(sliders.position(1), -40);
    // One jump from b = −4 to b = 4: the positions between are filled in, not joined straight.
    ASSERT_EQ(sliders.move(1, 40), SliderSet::Outcome::Applied);
    const RowTrail& t = doc.table.slot(0).trail;
    ASSERT_EQ(t.strokes.size(), 1u);
    const TrailStroke& s = t.strokes[0];
    ASSERT_EQ(s.size(), 81u);
    for (const PlanePoint& p : s) EXPECT_NEAR(p.y, -p.x * p.x + 2, 1e-9) << p.x;
    EXPECT_NEAR(s.front().x, 2, 1e-12);
    EXPECT_NEAR(s.back().x, -2, 1e-12);
    EXPECT_NEAR(s[40].y, 2, 1e-12); // b = 0: the vertex (0, c)
}

TEST(Trails, RunningBackAddsNothingAndOnlyTheTickedDialogRecords) {
    EllipseRun e(true);
    e.sliders.move(1, 30);
    const std::size_t once = e.trail().pointCount();
    ASSERT_GT(once, 0u);
    // The animation bounces over the same stretch: the trail neither grows nor doubles back.
    e.sliders.move(1, 20);
    e.sliders.start(1);
    for (int k = 0; k < 40; ++k) e.sliders.tick();
    e.sliders.move(1, 10);
    const std::size_t bounced = e.trail().pointCount();
    EXPECT_GT(bounced, once); // 3.0 … 4.0 and beyond were reached by ▶
    e.sliders.move(1, 45);
    e.sliders.move(1, 15);
    EXPECT_EQ(e.trail().pointCount(), bounced);

    EllipseRun quiet(false);
    for (int p = 11; p <= 50; ++p) quiet.sliders.move(1, p);
    EXPECT_TRUE(quiet.trail().empty());
    // Unticked halfway: what was recorded stays, nothing more is added.
    quiet.sliders.setTracing(true);
    quiet.sliders.move(1, 40);
    const std::size_t kept = quiet.trail().pointCount();
    quiet.sliders.setTracing(false);
    quiet.sliders.move(1, 20);
    EXPECT_EQ(quiet.trail().pointCount(), kept);
}

// Moving another coefficient starts a new stroke beside the old ones instead of joining the
// foci across the jump; 应用 keeps the trail; 清除轨迹 empties every row.
TEST(Trails, AnotherCoefficientStartsNewStrokesAndApplyKeepsThem) {
    EllipseRun e(true);
    e.sliders.move(1, 30); // b 1 → 3
    const std::size_t first = e.trail().strokes.size();
    e.sliders.move(0, 60); // a 5 → 6 with b = 3
    const RowTrail& t = e.trail();
    ASSERT_GT(t.strokes.size(), first);
    for (std::size_t k = 0; k < first; ++k) EXPECT_EQ(t.strokes[k].size(), 21u) << "the b run is intact";
    for (std::size_t k = first; k < t.strokes.size(); ++k) EXPECT_EQ(t.strokes[k].size(), 11u) << "a 5.0 … 6.0";

    const std::size_t before = t.pointCount();
    e.open.form.fieldTexts[1] = "2"; // typed, as the dialog's field does, then 应用
    e.sliders.follow(1);
    ASSERT_TRUE(e.open.form.apply());
    EXPECT_EQ(e.trail().pointCount(), before);

    e.doc.table.clearTrails();
    EXPECT_TRUE(e.trail().empty());
    EXPECT_FALSE(e.doc.table.hasTrails());
    // After clearing, the run starts afresh from where the slider stands, with nothing old.
    e.sliders.move(1, 21);
    ASSERT_EQ(e.trail().strokes.size(), 4u);
    EXPECT_EQ(e.trail().strokes[0].size(), 2u);
}

TEST(Trails, ARowTakesNoMoreThanItsLimitAndARowDeletedTakesItsTrail) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(enter(doc, n, Family::CircleCentre, {"1", "1", "3"}, {1010}));
    ASSERT_TRUE(beginNew(doc, n));
    OpenForm open(doc, Family::CircleCentre, n);
    SliderSet sliders(open.form);
    sliders.setTracing(true);
    Problem problem;
    ASSERT_TRUE(sliders.setRange(0, "-9000", "9000", problem)); // widened so a jump is long
    sliders.move(0, -90000);
    sliders.move(0, 90000);
    const RowTrail& t = doc.table.slot(1).trail;
    EXPECT_LE(t.pointCount(), kTrailPointLimit);
    EXPECT_GT(t.pointCount(), kTrailPointLimit / 2);

    ASSERT_FALSE(t.empty());
    doc.table.deleteSlot(0);
    EXPECT_FALSE(doc.table.slot(0).trail.empty()); // the trail moved up with its row
    EXPECT_TRUE(doc.table.slot(1).trail.empty());  // and the slot left behind has none
}

TEST(TrailRun, StrokesFollowTheKeysAndBreakWhereAPointIsUndefined) {
    const double nan = std::nan("");
    TrailRun run;
    run.add(3, {{3, 0}, {1, 1}});
    run.add(1, {{1, 0}, {1, 1}});
    run.add(2, {{2, 0}, {nan, 0}});
    run.add(5, {{nan, 5}, {1, 1}});
    run.add(6, {{6, 0}, {1, 1}});
    run.add(7, {{7, 1e12}, {1, 1}}); // far past any canvas
    const std::vector<TrailStroke> s = run.strokes();
    // The first point: 1, 2, 3 in key order, then a break; 6 alone is no stroke.
    ASSERT_EQ(s.size(), 1u);
    ASSERT_EQ(s[0].size(), 3u);
    EXPECT_EQ(s[0][0].x, 1);
    EXPECT_EQ(s[0][2].x, 3);
}

TEST(TracedPoints, EachFamilyAlwaysGivesTheSameNumberOfPoints) {
    for (const FamilySpec& f : families()) {
        double p[10] = {};
        for (std::size_t i = 0; i < f.fields.size(); ++i) p[i] = f.fields[i].defaultValue;
        const std::size_t n = tracedPoints(f, p).size();
        p[1] = 7; // an ellipse with b > a: foci undefined, still counted
        EXPECT_EQ(tracedPoints(f, p).size(), n) << f.cliName;
    }
    const double ellipse[10] = {5, 3};
    EXPECT_EQ(tracedPoints(*findFamily(Family::EllipseX), ellipse).size(), 6u);
    const double straight[10] = {0, 2, 1};
    EXPECT_TRUE(std::isnan(tracedPoints(*findFamily(Family::ParabolaGeneral), straight)[0].x)); // A = 0: no vertex
    EXPECT_TRUE(tracedPoints(*findFamily(Family::Sin), ellipse).empty());
}

TEST(TrailText, ReadsBackWhatItWritesAndNamesWhatIsWrong) {
    RowTrail t;
    t.strokes = {{{-4.898979485566356, 0}, {0.1234567, -2.5}}, {{1e-7, 3}, {1, 1}, {2, 2}}};
    const std::string text = trailText(t);
    EXPECT_EQ(text, "-4.898979,0;0.1234567,-2.5/1e-07,3;1,1;2,2");
    RowTrail back;
    std::string why;
    ASSERT_TRUE(readTrailText(text, back, why)) << why;
    EXPECT_EQ(trailText(back), text);
    ASSERT_EQ(back.strokes.size(), 2u);
    EXPECT_NEAR(back.strokes[0][0].x, -4.898979, 1e-12);

    for (const char* bad : {"1,2;3", "1,2;;3,4", "1,x", "1,2/", "nan,1", "1,2e10", "1 ,2"}) {
        RowTrail out;
        EXPECT_FALSE(readTrailText(bad, out, why)) << bad;
        EXPECT_NE(why.find("轨迹 trail"), std::string::npos) << why;
    }
    std::string many;
    for (std::size_t k = 0; k <= kTrailPointLimit; ++k) many += (k ? ";" : "") + std::to_string(k) + ",0";
    EXPECT_FALSE(readTrailText(many, back, why));
    EXPECT_EQ(why, "轨迹 trail 的点多于 4000 个。");
}

// On the canvas a trail is a polyline in the row's colour halfway to white, under every
// curve; in presentation mode it takes the light shade of the presentation colour.
TEST(Trails, DrawnUnderTheCurvesInALighterShadeOfTheRowsColour) {
    EllipseRun e(true);
    e.sliders.move(1, 50);
    RecordingNotifier n;
    ASSERT_TRUE(enter(e.doc, n, Family::SlopeIntercept, {"1", "0"}));
    e.doc.canvas.resize(600, 400);
    RecordingSurface s;
    paintDocument(s, e.doc);
    using Kind = RecordingSurface::Kind;
    const Colour light = rgb(255, 128, 255); // magenta, the first row's colour, halfway to white
    EXPECT_EQ(trailColour(SlotColours[1]), light);
    std::size_t trailPolylines = 0, firstCurve = 0, lastTrail = 0;
    Colour pen = 0;
    for (std::size_t k = 0; k < s.ops().size(); ++k) {
        const auto& op = s.ops()[k];
        if (op.kind == Kind::Pen) pen = op.colour;
        if (op.kind != Kind::Polyline || op.points.size() < 2) continue;
        if (pen == light) {
            ++trailPolylines;
            lastTrail = k;
        } else if (firstCurve == 0) {
            firstCurve = k;
        }
    }
    EXPECT_EQ(trailPolylines, 20u); // four strokes, each three pixels wide
    EXPECT_LT(lastTrail, firstCurve);
    // The foci's trail on the x axis: 0 to ±√24 units at 20 pixels a unit.
    bool axisTrail = false;
    for (const auto* op : s.ofKind(Kind::Polyline))
        if (op->points.size() == 41 && op->points.front().y == 0 && op->points.back() == Point{0, 0}) axisTrail = true;
    EXPECT_TRUE(axisTrail);

    EXPECT_EQ(presentationColourMap()(light), trailColour(PresentationColours[1]));
    EXPECT_EQ(presentationColourMap()(kGrey), kPresentationBackground); // the canvas still turns white
}
