// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/presentation_surface.h"
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

// Presentation mode draws the same geometry: only colours, caption places and the style
// line differ from the normal trace.
TEST(PresentationMode, KeepsEveryPositionButTheCaptions) {
    Document doc;
    sample::enterFiveRows(doc);
    doc.canvas.resize(960, 540);
    const RecordingSurface normal = traceOf(doc);
    doc.view.presentation = true;
    const RecordingSurface shown = traceOf(doc, presentationStyle(1.0));
    ASSERT_EQ(normal.ops().size(), shown.ops().size());
    int moved = 0;
    for (std::size_t i = 0; i < normal.ops().size(); ++i) {
        const auto& a = normal.ops()[i];
        const auto& b = shown.ops()[i];
        ASSERT_EQ(a.kind, b.kind) << i;
        EXPECT_EQ(a.points, b.points) << i;
        if (a.kind == Kind::Text) {
            EXPECT_EQ(a.text, b.text);
            EXPECT_TRUE(a.font == b.font);
            moved += a.l != b.l || a.t != b.t;
        } else if (a.kind != Kind::Fill) {
            EXPECT_EQ(a.l, b.l);
            EXPECT_EQ(a.t, b.t);
        }
    }
    EXPECT_GT(moved, 0); // the ellipse's and the hyperbola's close captions
    const std::string trace = shown.trace();
    EXPECT_EQ(trace.rfind("style scale 2 pen 3 antialiased\n", 0), 0u) << trace.substr(0, 80);
    EXPECT_NE(trace.find("fill -960 -540 960 540 ffffff"), std::string::npos); // the white canvas, magnified
    EXPECT_NE(trace.find("text 10 -140 10 18 \"(0.00,4.00)\""), std::string::npos); // the canvas font at 18 pixels
}

// The fault: in normal mode the vertex's and the focus's captions run into each other
// ("(-5.0(-4.00,0.00)"); in presentation mode no two captions overlap and each stays beside
// its point.
TEST(PresentationMode, NoTwoCaptionsOverlap) {
    const struct {
        const char* family;
        int kind; // 0: the five-row scene
        std::vector<std::string> fields;
        std::vector<int> boxes;
    } scenes[] = {
        {"ellipse-x", kind::EllipseX, {"5", "4"}, {1010, 1011, 1012}},
        {"ellipse-y", kind::EllipseY, {"5", "4"}, {1010, 1011, 1012}},
        {"hyperbola-x", kind::HyperbolaX, {"3", "2"}, {1010, 1011, 1012, 1013}},
        {"five rows", 0, {}, {}},
    };
    for (const auto& [family, rowKind, fields, boxes] : scenes) {
        Document doc;
        RecordingNotifier n;
        if (rowKind) test::enter(doc, n, rowKind, fields, boxes);
        else sample::enterFiveRows(doc);
        doc.canvas.resize(960, 540);
        const Point o{doc.canvas.originX, doc.canvas.originY};
        const auto plain = captions(traceOf(doc), o);
        doc.view.presentation = true;
        const auto shown = captions(traceOf(doc), o);
        ASSERT_EQ(plain.size(), shown.size()) << family;
        ASSERT_GE(shown.size(), 2u) << family;
        int overlapsBefore = 0;
        for (std::size_t i = 0; i < shown.size(); ++i)
            for (std::size_t j = i + 1; j < shown.size(); ++j) {
                overlapsBefore += plain[i].box.overlaps(plain[j].box);
                EXPECT_FALSE(shown[i].box.overlaps(shown[j].box)) << family << ": " << shown[i].text << " and " << shown[j].text;
            }
        if (rowKind == kind::EllipseX) {
            EXPECT_GT(overlapsBefore, 0);
        }
        // Beside its point: the moved caption still touches the band around where it was.
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const auto& a = plain[i].box;
            const auto& b = shown[i].box;
            const int reach = 3 * kCanvasFont.height + a.width;
            EXPECT_LE(std::abs(a.x - b.x), reach) << shown[i].text;
            EXPECT_LE(std::abs(a.y - b.y), 6 * kCanvasFont.height) << shown[i].text;
        }
    }
}

// Every presentation colour stands at 3:1 or more against the white canvas and panel; the
// slot colours on the grey canvas did not (magenta 1.26:1, blue 2.2:1).
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
