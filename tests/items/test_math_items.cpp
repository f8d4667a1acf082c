// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/recording_surface.h"
#include "item_helpers.h"
#include "items/math_items.h"

using namespace yhb;
using test::text;
using Kind = RecordingSurface::Kind;

namespace {

// The lowest and highest y of every stroke drawn.
std::pair<int, int> strokeSpan(const RecordingSurface& s) {
    int lo = 1 << 30, hi = -(1 << 30);
    for (const auto* op : s.ofKind(Kind::Polyline))
        for (const Point& p : op->points) lo = std::min(lo, p.y), hi = std::max(hi, p.y);
    for (const auto* op : s.ofKind(Kind::Line))
        for (const Point& p : op->points) lo = std::min(lo, p.y), hi = std::max(hi, p.y);
    return {lo, hi};
}

FractionItem* fraction(ItemList& list, const char* num, const char* den) {
    auto* n = text(list, num);
    auto* d = text(list, den);
    list.takeLast(2);
    return newItem<FractionItem>(n, d);
}

} // namespace

TEST(OverItem, AVectorArrowAndABarSpanTheirGroupAboveIt) {
    ItemList list;
    auto* ab = text(list, "AB");
    auto* arrow = newItem<OverItem>(OverItem::Mark::Arrow, list.takeLast(1)[0]);
    list.append(arrow);
    arrow->setFontSize(20, 8);
    EXPECT_EQ(ab->charHeight, 20);
    EXPECT_EQ(arrow->height(), 20 + arrow->rise);
    EXPECT_EQ(arrow->width(), 16 + 2);
    RecordingSurface s;
    int lh = 0;
    EXPECT_EQ(arrow->draw(s, 10, 100, lh, 0, 0), 18);
    // The letters sit below the mark, the shaft runs over both of them, the head at the right.
    const auto texts = s.ofKind(Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->t, 100 + arrow->rise);
    const auto lines = s.ofKind(Kind::Line);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0]->points[0].x, 11);
    EXPECT_EQ(lines[0]->points[1].x, 11 + 16);
    EXPECT_LT(lines[0]->points[0].y, texts[0]->t);
    EXPECT_LT(strokeSpan(s).second, texts[0]->t) << "the head stays above the letters";

    auto* z = text(list, "z");
    auto* bar = newItem<OverItem>(OverItem::Mark::Bar, list.takeLast(1)[0]);
    list.append(bar);
    bar->setFontSize(10, 6);
    EXPECT_EQ(z->charHeight, 10);
    RecordingSurface b;
    bar->draw(b, 0, 0, lh, 0, 0);
    EXPECT_EQ(b.ofKind(Kind::Line).size(), 1u) << "a bar has no head";
}

TEST(FencedItem, BracketsAndBarsGrowToTheHeightOfAFraction) {
    for (char open : {'(', '|', '[', '{'}) {
        const char close = open == '(' ? ')' : open == '[' ? ']' : open == '{' ? '}' : '|';
        ItemList list;
        auto* f = fraction(list, "1", "2");
        auto* fenced = newItem<FencedItem>(open, f, close);
        list.append(fenced);
        fenced->setFontSize(20, 6);
        EXPECT_EQ(fenced->height(), 20);
        RecordingSurface s;
        int lh = 0;
        const int w = fenced->draw(s, 0, 50, lh, 0, 0);
        EXPECT_EQ(w, fenced->width());
        EXPECT_GT(w, f->width());
        // The delimiters reach from the numerator's top to the denominator's bottom.
        const auto [lo, hi] = strokeSpan(s);
        EXPECT_EQ(lo, 50) << open;
        EXPECT_GE(hi, 50 + 19) << open;
        // The fraction is drawn between them.
        for (const auto* t : s.ofKind(Kind::Text)) {
            EXPECT_GT(t->l, 0) << open;
            EXPECT_LT(t->l, w) << open;
        }
    }
    // Taller content, taller brackets; '.' draws no side.
    ItemList list;
    auto* inner = fraction(list, "1", "2");
    auto* den = text(list, "3");
    list.takeLast(1);
    auto* tall = newItem<FractionItem>(inner, den);
    auto* fenced = newItem<FencedItem>('.', tall, '|');
    list.append(fenced);
    fenced->setFontSize(40, 6);
    RecordingSurface s;
    int lh = 0;
    fenced->draw(s, 0, 0, lh, 0, 0);
    EXPECT_EQ(strokeSpan(s).first, 0);
    EXPECT_EQ(fenced->width(), tall->width() + std::max(3, 6 / 2 + 1));
}

TEST(RadicalItem, AnIndexSitsInTheHookAndMovesTheSignRight) {
    ItemList list;
    auto* c = text(list, "ab");
    auto* n = text(list, "3");
    list.takeLast(2);
    auto* r = newItem<RadicalItem>(c, n);
    list.append(r);
    r->setFontSize(21, 6);
    EXPECT_EQ(n->charHeight, 10);
    EXPECT_EQ(n->charWidth, 3);
    RecordingSurface s;
    int lh = 0;
    r->draw(s, 0, 0, lh, 0, 0);
    const auto texts = s.ofKind(Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->text, "3");
    EXPECT_EQ(texts[0]->l, 0);
    EXPECT_LT(texts[0]->t + 10, 20) << "above the sign's foot";
    // The sign starts where an index-less one would have, moved right by nothing for a
    // narrow index: it fits within the sign's left half.
    const auto polys = s.ofKind(Kind::Polyline);
    ASSERT_EQ(polys.size(), 1u);
    EXPECT_EQ(polys[0]->points[0], (Point{0, 20}));
    EXPECT_EQ(r->width(), 12 + 1 + 10);
    // A wide index moves the sign right by what it takes beyond the hook.
    auto* c2 = text(list, "x");
    auto* wide = text(list, "100");
    list.takeLast(2);
    auto* r2 = newItem<RadicalItem>(c2, wide);
    list.append(r2);
    r2->setFontSize(21, 6);
    EXPECT_EQ(r2->width(), 6 + 1 + 10 + (9 - 5));
}
