// SPDX-License-Identifier: GPL-3.0-or-later
// 教材记法 in the window: the menu item, its tie to 演示模式, the typeset panel and the
// canvas captions placed apart.
#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "app/notation.h"
#include "app/presentation_mode.h"
#include "gfx/recording_surface.h"
#include "plot/curve.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;
using Kind = RecordingSurface::Kind;

namespace {

void trigger(MainWindow& w, Command c) {
    w.action(c)->trigger();
    settle();
}

// The five-row scene a teacher builds: an ellipse with its vertices, foci and directrices, a
// hyperbola with its asymptotes, a parabola with focus and directrix, a line through two
// marked points and a circle with its centre.
void enterLessonScene(MainWindow& w) {
    enterThroughDialog(w, Family::EllipseX, {"2", "√3"}, {1010, 1011, 1012});
    enterThroughDialog(w, Family::HyperbolaX, {"3", "4"}, {1013});
    enterThroughDialog(w, Family::ParabolaRight, {"2"}, {1010, 1011});
    enterThroughDialog(w, Family::TwoPoint, {"-2", "-1", "1", "2"}, {1010, 1011});
    enterThroughDialog(w, Family::CircleCentre, {"-2", "1", "1"}, {1010});
    settle();
}

// Each row's label length, as the window lays the panel out for it.
std::vector<int> labelCounts(const ExpressionTable& table) {
    std::vector<int> counts;
    for (int r = 0; r < table.slotCount; ++r) counts.push_back(table.slot(r).labels.charCount());
    return counts;
}

struct Box {
    double left = 1e18, top = 1e18, right = -1e18, bottom = -1e18;
    std::string text;
    void add(double l, double t, double r, double b) {
        left = std::min(left, l);
        top = std::min(top, t);
        right = std::max(right, r);
        bottom = std::max(bottom, b);
    }
    bool empty() const { return left > right; }
    bool overlaps(const Box& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

struct Scene {
    std::vector<Box> captions, numbers, marks;
};

// The recorded canvas in canvas pixels: each typeset caption (its runs and rules, up to the
// next change of text colour), the axis numbers and the point marks.
Scene sceneOf(const RecordingSurface& rec, Point o) {
    Scene s;
    Box current;
    auto flush = [&] {
        if (!current.empty()) s.captions.push_back(current);
        current = Box{};
    };
    for (const auto& op : rec.ops()) {
        switch (op.kind) {
        case Kind::TextColour: flush(); break;
        case Kind::TypesetText: {
            const TextExtent e = tableTextExtent(op.text, {op.size, op.italic});
            current.add(op.x + o.x, op.y - e.ascent + o.y, op.x + e.width + o.x, op.y + e.descent + o.y);
            current.text += op.text;
            break;
        }
        case Kind::Rule:
            current.add(std::min(op.x, op.x2) + o.x, std::min(op.y, op.y2) + o.y, std::max(op.x, op.x2) + o.x,
                        std::max(op.y, op.y2) + o.y);
            break;
        case Kind::Text: {
            Box b;
            b.add(op.l + o.x, op.t + o.y, op.l + o.x + static_cast<double>(op.text.size()) * op.font.width,
                  op.t + o.y + op.font.height);
            b.text = op.text;
            s.numbers.push_back(b);
            break;
        }
        case Kind::Ellipse:
            if (op.r - op.l == 8) {
                Box b;
                b.add(op.l + o.x, op.t + o.y, op.r + o.x, op.b + o.y);
                s.marks.push_back(b);
            }
            break;
        default: break;
        }
    }
    flush();
    return s;
}

RecordingSurface record(Document& doc) {
    RecordingSurface rec;
    paintDocument(rec, doc);
    return rec;
}

} // namespace

TEST(TextbookWindow, MenuItemSwitchesThePanelAndPresentationHoldsItOn) {
    App app;
    MainWindow& w = *app.window;
    enterThroughDialog(w, Family::EllipseX, {"2", "√3"});
    settle();
    QAction* item = w.action(Command::TextbookNotation);
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isChecked()); // classic by default
    const QImage classic = w.renderClient();

    trigger(w, Command::TextbookNotation);
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(app.doc().view.textbookNotation());
    // No captions on this canvas: what changes is the panel's label.
    EXPECT_NE(w.renderClient(), classic);
    trigger(w, Command::TextbookNotation);
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(w.renderClient(), classic);

    // 演示模式 turns it on and holds it; leaving it gives back the notation chosen before.
    trigger(w, Command::Presentation);
    EXPECT_TRUE(item->isChecked());
    EXPECT_FALSE(item->isEnabled());
    EXPECT_TRUE(app.doc().view.textbookNotation());
    trigger(w, Command::Presentation);
    EXPECT_FALSE(item->isChecked());
    EXPECT_TRUE(item->isEnabled());
    EXPECT_FALSE(app.doc().view.textbookNotation());
}

// In 演示模式 the equations are what the back row reads: on every screen a classroom has, a
// fraction's text is at least 16 px (logical pixels) and nearly half as high as the buttons
// beside it. A 1920 x 1080 screen at a ratio of 2 (960 x 540 logical, the window 80 % of it)
// once set them at 9 px beside 40-px buttons.
TEST(TextbookWindow, PresentedLabelsAreLargeOnEveryScreen) {
    App app;
    MainWindow& w = *app.window;
    enterLessonScene(w);
    Document& doc = app.doc();
    doc.view.presentation = true;
    const std::vector<int> counts = labelCounts(doc.table);
    for (QSize client : {QSize(768, 400), QSize(960, 510), QSize(800, 570), QSize(1536, 835), QSize(1920, 1057)}) {
        const double mag = layoutMagnification(doc.view, client.width(), client.height());
        const MainLayout layout =
            computeLayout(static_cast<int>(client.width() / mag), static_cast<int>(client.height() / mag), false, counts);
        RecordingSurface rec;
        auto labels = labelPainterFor(doc.view, doc.table, layout, rec);
        labels->draw(rec, doc.table.slot(0), 0, layout.rows[0]);
        double size = 0;
        for (const auto* t : rec.ofKind(Kind::TypesetText)) size = std::max(size, t->size);
        EXPECT_GE(size * mag, 16.0) << client.width() << "x" << client.height() << " magnified " << mag;
        EXPECT_GE(size * mag, 0.45 * layout.rows[0].modify.height * mag) << client.width() << "x" << client.height();
    }
}

TEST(TextbookWindow, PanelSetsEveryLabelAtOneSizeThatFits) {
    App app;
    MainWindow& w = *app.window;
    enterLessonScene(w);
    Document& doc = app.doc();
    doc.view.textbook = true;
    const std::vector<int> counts = labelCounts(doc.table);
    const MainLayout layout = computeLayout(780, 560, false, counts);
    RecordingSurface rec;
    auto labels = labelPainterFor(doc.view, doc.table, layout, rec);
    std::vector<double> sizes;
    for (int r = 0; r < doc.table.slotCount; ++r) {
        const MainLayout::Row& place = layout.rows[static_cast<std::size_t>(r)];
        ASSERT_TRUE(place.drawLabel);
        rec.clear();
        labels->draw(rec, doc.table.slot(r), r, place);
        const auto runs = rec.ofKind(Kind::TypesetText);
        ASSERT_FALSE(runs.empty()) << "row " << r;
        double largest = 0, right = 0, top = 1e9, bottom = -1e9;
        std::string text;
        for (const auto* t : runs) {
            const TextExtent e = tableTextExtent(t->text, {t->size, t->italic});
            largest = std::max(largest, t->size);
            right = std::max(right, t->x + t->w);
            top = std::min(top, t->y - e.ascent);
            bottom = std::max(bottom, t->y + e.descent);
            text += t->text;
        }
        sizes.push_back(largest);
        // Within its own band: right of the canvas, below its buttons, above the next row's.
        EXPECT_LE(right, place.label.right()) << "row " << r << " " << text;
        EXPECT_GE(top, place.modify.bottom()) << "row " << r << " " << text;
        const int next = static_cast<std::size_t>(r + 1) < layout.rows.size() ? layout.rows[static_cast<std::size_t>(r + 1)].modify.y
                                                                                : 560;
        EXPECT_LE(bottom, next) << "row " << r << " " << text;
        // Drawn in the row's own colour.
        EXPECT_EQ(runs.front()->colour, SlotColours[static_cast<std::size_t>(doc.table.slot(r).colourIndex)]);
        if (r == 0) {
            // The ellipse's label is its exact equation, x²/4+y²/3=1, letters in italic.
            EXPECT_EQ(text, "x24+y23=1");
            for (const auto* t : runs) EXPECT_EQ(t->italic, t->text == "x" || t->text == "y") << t->text;
        }
    }
    for (double s : sizes) EXPECT_DOUBLE_EQ(s, sizes.front());
}

TEST(TextbookWindow, LessonSceneCaptionsNeverOverlap) {
    App app;
    MainWindow& w = *app.window;
    w.resizeClient(1200, 800);
    enterLessonScene(w);
    trigger(w, Command::Presentation);
    Document& doc = app.doc();
    const RecordingSurface rec = record(doc);
    const Scene s = sceneOf(rec, {doc.canvas.originX, doc.canvas.originY});

    // Named points and line equations, exact: A₁(−2,0) … F₁(−1,0), C(−2,1), P₁, l: x=−1, y=4/3 x.
    std::vector<std::string> texts;
    for (const Box& c : s.captions) texts.push_back(c.text);
    auto has = [&](const std::string& t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
    EXPECT_TRUE(has("A1(\xE2\x88\x92" "2,0)")) << ::testing::PrintToString(texts);
    EXPECT_TRUE(has("B2(0,3)")) << ::testing::PrintToString(texts); // √ is drawn, not written
    EXPECT_TRUE(has("F1(\xE2\x88\x92" "1,0)"));
    EXPECT_TRUE(has("C(\xE2\x88\x92" "2,1)"));
    EXPECT_TRUE(has("F(1,0)"));
    EXPECT_TRUE(has("l:x=4"));
    EXPECT_TRUE(has("y=43x")); // y=4/3 x, the fraction built up
    EXPECT_GE(s.captions.size(), 14u);
    ASSERT_GE(s.marks.size(), 10u);
    ASSERT_FALSE(s.numbers.empty());

    const double W = doc.canvas.canvasWidth, H = doc.canvas.canvasHeight;
    for (std::size_t i = 0; i < s.captions.size(); ++i) {
        const Box& c = s.captions[i];
        EXPECT_TRUE(c.left >= 0 && c.top >= 0 && c.right <= W && c.bottom <= H) << c.text << " leaves the canvas";
        for (std::size_t j = i + 1; j < s.captions.size(); ++j)
            EXPECT_FALSE(c.overlaps(s.captions[j])) << c.text << " over " << s.captions[j].text;
        for (const Box& n : s.numbers) EXPECT_FALSE(c.overlaps(n)) << c.text << " over the axis number " << n.text;
        for (const Box& m : s.marks) EXPECT_FALSE(c.overlaps(m)) << c.text << " over a point's mark";
    }
}
