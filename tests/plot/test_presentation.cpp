// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "gfx/presentation_surface.h"
#include "gfx/rect.h"
#include "gfx/recording_surface.h"
#include "golden_trace.h"
#include "plot/palette.h"
#include "sample_scenes.h"

using namespace yhb;
using Kind = RecordingSurface::Kind;

namespace {

RecordingSurface traceOf(const Document& doc, const RenderStyle& style = {}) {
    RecordingSurface rec;
    rec.setStyle(style);
    paintDocument(rec, doc);
    return rec;
}

struct CaptionBox {
    std::string text;
    Rect box;
};

// The coordinate captions of a recording: texts of the canvas font that start with "(".
std::vector<CaptionBox> captions(const RecordingSurface& rec, Point origin) {
    std::vector<CaptionBox> out;
    for (const auto* t : rec.ofKind(Kind::Text)) {
        if (!(t->font == kCanvasFont) || t->text.empty() || t->text[0] != '(') continue;
        const int x = t->l + origin.x, y = t->t + origin.y;
        out.push_back({t->text, {x, y, static_cast<int>(t->text.size()) * t->font.width, t->font.height}});
    }
    return out;
}

} // namespace

// The trace of the five-row scene in normal mode is what it was before presentation mode and
// device pixel ratios existed (the kept traces were taken from that code).
namespace {

// The typeset captions of a recording, each the runs and strokes between two changes of the
// text colour, in canvas pixels.
std::vector<CaptionBox> typesetCaptions(const RecordingSurface& rec, Point o) {
    std::vector<CaptionBox> out;
    double l = 1e18, t = 1e18, r = -1e18, b = -1e18;
    std::string text;
    auto flush = [&] {
        if (l <= r)
            out.push_back({text, Rect::fromEdges(static_cast<int>(std::floor(l)) + o.x, static_cast<int>(std::floor(t)) + o.y,
                                                 static_cast<int>(std::ceil(r)) + o.x, static_cast<int>(std::ceil(b)) + o.y)});
        l = t = 1e18;
        r = b = -1e18;
        text.clear();
    };
    for (const auto& op : rec.ops()) {
        if (op.kind == Kind::TextColour) flush();
        if (op.kind == Kind::TypesetText) {
            const TextExtent e = tableTextExtent(op.text, {op.size, op.italic});
            // Glyph extents as measured; shrunk by a hair so that touching boxes do not count.
            l = std::min(l, op.x + 0.01);
            t = std::min(t, op.y - e.ascent + 0.01);
            r = std::max(r, op.x + e.width - 0.01);
            b = std::max(b, op.y + e.descent - 0.01);
            text += op.text;
        }
    }
    flush();
    return out;
}

} // namespace

TEST(NormalMode, TheDrawingTraceIsUnchanged) {
    const struct {
        int scale, pi, labels;
        const char* golden;
    } scenes[] = {
        {20, 0, 1, "five_rows_scale20.trace"},
        {4, 0, 1, "five_rows_scale4.trace"},
        {20, 1, 1, "five_rows_scale20_pi.trace"},
        {36, 0, 0, "five_rows_scale36_no_labels.trace"},
    };
    for (const auto& g : scenes) {
        Document doc;
        sample::enterFiveRows(doc);
        doc.view.pixelsPerUnit = g.scale;
        doc.view.piAxis = g.pi;
        doc.view.showLabels = g.labels;
        doc.canvas.resize(1920, 1080);
        EXPECT_TRUE(test::sameAsGolden(g.golden, traceOf(doc).trace()));
    }
}

// Presentation mode draws the same geometry: the curves, marks and axis numbers are where
// the normal trace has them; only colours, the style line and the captions differ, which are
// typeset in 教材记法 there.
TEST(PresentationMode, KeepsEveryPositionButTheCaptions) {
    Document doc;
    sample::enterFiveRows(doc);
    doc.canvas.resize(960, 540);
    const RecordingSurface normal = traceOf(doc);
    doc.view.presentation = true;
    const RecordingSurface shown = traceOf(doc, presentationStyle(1.0));
    auto geometry = [](const RecordingSurface& rec) {
        std::vector<const RecordingSurface::Op*> out;
        for (const auto& op : rec.ops()) {
            const bool caption = op.kind == Kind::Text && !op.text.empty() && op.text[0] == '(';
            if (op.kind == Kind::Polyline || op.kind == Kind::Line || op.kind == Kind::Ellipse || (op.kind == Kind::Text && !caption))
                out.push_back(&op);
        }
        return out;
    };
    const auto a = geometry(normal), b = geometry(shown);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a[i]->kind, b[i]->kind) << i;
        EXPECT_EQ(a[i]->points, b[i]->points) << i;
        EXPECT_EQ(a[i]->l, b[i]->l) << i;
        EXPECT_EQ(a[i]->t, b[i]->t) << i;
        EXPECT_EQ(a[i]->text, b[i]->text) << i;
    }
    EXPECT_TRUE(normal.ofKind(Kind::TypesetText).empty());
    EXPECT_FALSE(shown.ofKind(Kind::TypesetText).empty());
    const std::string trace = shown.trace();
    EXPECT_EQ(trace.rfind("style scale 2 pen 3 antialiased\n", 0), 0u) << trace.substr(0, 80);
    EXPECT_NE(trace.find("fill -960 -540 960 540 ffffff"), std::string::npos); // the white canvas, magnified
    EXPECT_EQ(trace.find("\"(0.00,4.00)\""), std::string::npos);                  // no classic caption
    EXPECT_NE(trace.find("mtext"), std::string::npos);
}

// The fault: in normal mode the vertex's and the focus's captions run into each other
// ("(-5.0(-4.00,0.00)"); in presentation mode no two captions overlap, and as many are written.
TEST(PresentationMode, NoTwoCaptionsOverlap) {
    const struct {
        const char* family;
        Family kind; // None: the five-row scene
        std::vector<std::string> fields;
        std::vector<int> boxes;
    } scenes[] = {
        {"ellipse-x", Family::EllipseX, {"5", "4"}, {1010, 1011, 1012}},
        {"ellipse-y", Family::EllipseY, {"5", "4"}, {1010, 1011, 1012}},
        {"hyperbola-x", Family::HyperbolaX, {"3", "2"}, {1010, 1011, 1012, 1013}},
        {"five rows", Family::None, {}, {}},
    };
    for (const auto& [family, rowKind, fields, boxes] : scenes) {
        Document doc;
        RecordingNotifier n;
        if (rowKind != Family::None) test::enter(doc, n, rowKind, fields, boxes);
        else sample::enterFiveRows(doc);
        doc.canvas.resize(960, 540);
        const Point o{doc.canvas.originX, doc.canvas.originY};
        const auto plain = captions(traceOf(doc), o);
        doc.view.presentation = true;
        const auto shown = typesetCaptions(traceOf(doc), o);
        ASSERT_GE(shown.size(), plain.size()) << family; // the points' and the lines' too
        ASSERT_GE(shown.size(), 2u) << family;
        int overlapsBefore = 0;
        for (std::size_t i = 0; i < plain.size(); ++i)
            for (std::size_t j = i + 1; j < plain.size(); ++j) overlapsBefore += plain[i].box.overlaps(plain[j].box);
        for (std::size_t i = 0; i < shown.size(); ++i)
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(shown[i].box.overlaps(shown[j].box)) << family << ": " << shown[i].text << " and " << shown[j].text;
        if (rowKind == Family::EllipseX) {
            EXPECT_GT(overlapsBefore, 0);
        }
    }
}

// Every presentation colour stands at 3:1 or more against the white canvas and panel; the
// slot colours on the grey canvas did not (magenta 1.26:1, blue 2.2:1).
// With the plane dragged so that most points are out of sight (as a magnified screen shows
// it), only the points in sight are named: a caption for a hidden point would stand at the
// canvas edge naming nothing there, and crowd the ones that do.
TEST(PresentationMode, OnlyPointsInSightAreNamed) {
    Document doc;
    sample::enterFiveRows(doc);
    doc.canvas.resize(480, 270);
    doc.canvas.originX = -60; // x = 3 at the left edge
    doc.canvas.originY = 40;
    doc.view.presentation = true;
    const Point o{doc.canvas.originX, doc.canvas.originY};
    const auto shown = typesetCaptions(traceOf(doc), o);
    const Rect canvas{0, 0, 480, 270};
    std::string all;
    for (const auto& c : shown) {
        all += c.text + " ";
        EXPECT_TRUE(canvas.contains(c.box)) << c.text;
    }
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(shown[i].box.overlaps(shown[j].box)) << shown[i].text << " and " << shown[j].text;
    // In sight from x = 3 on: the vertices (5,0) and the foci (3,0) and (√41,0).
    EXPECT_NE(all.find("A2(5,0)"), std::string::npos) << all;
    // Out of sight: the ellipse's B1 (0,−4) and the circle's centre C(1,1).
    EXPECT_EQ(all.find("B1("), std::string::npos) << all;
    EXPECT_EQ(all.find("C("), std::string::npos) << all;
}

TEST(PresentationMode, EveryRowColourStandsOutFromItsBackground) {
    EXPECT_LT(contrastRatio(SlotColours[1], kGrey), 1.3);
    EXPECT_LT(contrastRatio(SlotColours[3], kGrey), 2.3);
    EXPECT_NEAR(contrastRatio(kBlack, kWhite), 21.0, 1e-9);
    const ColourMap map = presentationColourMap();
    EXPECT_EQ(map(kGrey), kPresentationBackground);
    for (std::size_t i = 1; i < SlotColours.size(); ++i) {
        EXPECT_EQ(map(SlotColours[i]), PresentationColours[i]);
        EXPECT_GE(contrastRatio(PresentationColours[i], kPresentationBackground), 3.0) << i;
        for (std::size_t j = 1; j < i; ++j) EXPECT_NE(PresentationColours[i], PresentationColours[j]);
    }
}
