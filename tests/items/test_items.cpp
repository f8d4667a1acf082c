// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "gfx/recording_surface.h"
#include "item_helpers.h"

using namespace yhb;
using test::text;
using Kind = RecordingSurface::Kind;

TEST(TextItem, SplitsOnlyAtCharacterBoundaries) {
    ItemList list;
    TextItem* t = text(list, "ab中");
    EXPECT_EQ(t->charCount(), 4);
    EXPECT_EQ(t->width(), 24);
    EXPECT_EQ(t->splitCheck(0, 3), 1);
    EXPECT_EQ(t->splitCheck(0, 4), 0);
    EXPECT_EQ(t->splitCheck(2, 1), 1);
    EXPECT_EQ(t->splitCheck(3, 50), 1); // cut at the text's end

    RecordingSurface s;
    int lh = 0;
    EXPECT_EQ(t->draw(s, 7, 8, lh, 2, 0), 12); // bytes 2.. : advance 6 * 2
    EXPECT_EQ(lh, 10);
    ASSERT_EQ(s.ops().size(), 1u);
    EXPECT_EQ(s.ops()[0].text, "中");
    EXPECT_EQ(s.ops()[0].font, (CellFont{10, 6}));
    EXPECT_EQ(s.ops()[0].l, 7);
}

TEST(CompositeItems, SizesPropagateToTheirParts) {
    ItemList list;
    auto* n = text(list, "x");
    auto* d = text(list, "2");
    auto* f = newItem<FractionItem>(n, d);
    f->setFontSize(10, 6);
    EXPECT_EQ(n->charHeight, 5);
    EXPECT_EQ(n->charWidth, 6);
    EXPECT_EQ(f->height(), 10);

    auto* b = text(list, "x");
    auto* e = text(list, "2");
    auto* sup = newItem<SuperscriptItem>(b, e);
    sup->setFontSize(10, 6);
    EXPECT_EQ(b->charHeight, 8);
    EXPECT_EQ(b->charWidth, 6);
    EXPECT_EQ(e->charHeight, 6);
    EXPECT_EQ(e->charWidth, 4);
    EXPECT_EQ(sup->width(), 6 + 4 + 1);

    auto* sb = text(list, "a");
    auto* si = text(list, "n");
    auto* sub = newItem<SubscriptItem>(sb, si);
    sub->setFontSize(10, 6);
    EXPECT_EQ(sb->charHeight, 8);
    EXPECT_EQ(si->charHeight, 5);
    EXPECT_EQ(si->charWidth, 3);

    auto* rc = text(list, "x");
    auto* rad = newItem<RadicalItem>(rc);
    rad->setFontSize(10, 6);
    EXPECT_EQ(rc->charHeight, 9);
    EXPECT_EQ(rad->height(), 9);
    EXPECT_EQ(rad->width(), 6 + 1 + 10);
    for (DrawItem* item : {static_cast<DrawItem*>(f), static_cast<DrawItem*>(sup), static_cast<DrawItem*>(sub),
                           static_cast<DrawItem*>(rad)})
        list.append(item);
}

TEST(FractionItem, CentresTheNarrowerPartAndDrawsTheBar) {
    ItemList list;
    auto* n = text(list, "x+10");
    auto* d = text(list, "2");
    auto* f = newItem<FractionItem>(n, d);
    f->setFontSize(20, 6);
    list.append(f);
    EXPECT_EQ(f->width(), 24 + 2);
    RecordingSurface s;
    int lh = 0;
    EXPECT_EQ(f->draw(s, 100, 50, lh, 0, 0), 26);
    EXPECT_EQ(lh, 22);
    auto texts = s.ofKind(Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->l, 100 + 13 - 12);
    EXPECT_EQ(texts[0]->t, 49);
    EXPECT_EQ(texts[1]->l, 100 + 13 - 3); // centred under the numerator
    EXPECT_EQ(texts[1]->t, 50 + 10 + 1);
    auto lines = s.ofKind(Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->points[0], (Point{100, 60}));
    EXPECT_EQ(lines[0]->points[1], (Point{126, 60}));
}

TEST(RadicalItem, DrawsItsSignOverTheRadicand) {
    ItemList list;
    auto* c = text(list, "ab");
    auto* r = newItem<RadicalItem>(c);
    r->setFontSize(21, 6);
    list.append(r);
    RecordingSurface s;
    int lh = 0;
    r->draw(s, 0, 0, lh, 0, 0);
    auto polys = s.ofKind(Kind::Polyline);
    ASSERT_EQ(polys.size(), 1u);
    const std::vector<Point> expected = {{0, 20}, {3, 15}, {5, 20}, {10, 0}, {22, 0}};
    EXPECT_EQ(polys[0]->points, expected);
    EXPECT_EQ(s.ofKind(Kind::Text)[0]->l, 10);
    EXPECT_EQ(s.ofKind(Kind::Text)[0]->t, 1);
    EXPECT_EQ(lh, 20);
}

TEST(BraceItem, StacksRowsBelowEachOther) {
    ItemList list;
    auto* r1 = text(list, "x+y=3");
    auto* r2 = text(list, "x-y=1");
    auto* brace = newItem<BraceItem>(2);
    for (DrawItem* row : list.takeLast(2)) brace->add(row);
    list.append(brace);
    EXPECT_EQ(brace->height(), 28);
    EXPECT_EQ(brace->width(), 30 + 48);
    RecordingSurface s;
    int lh = 0;
    brace->draw(s, 0, 100, lh, 0, 0);
    auto texts = s.ofKind(Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->text, "｛");
    EXPECT_EQ(texts[0]->font, (CellFont{28, 24}));
    EXPECT_EQ(texts[1]->t, 104);
    EXPECT_EQ(texts[2]->t, 114);
    EXPECT_EQ(texts[1]->l, 48);
    (void)r1;
    (void)r2;
}

TEST(BraceItem, RowsOfUnequalHeightDoNotOverlap) {
    ItemList list;
    auto* n = text(list, "1");
    auto* d = text(list, "2");
    auto* frac = newItem<FractionItem>(n, d);
    frac->setFontSize(40, 6); // a row 40 high
    list.takeLast(2);
    list.append(frac);
    text(list, "x=1"); // then a row 10 high
    auto* brace = newItem<BraceItem>(2);
    for (DrawItem* row : list.takeLast(2)) brace->add(row);
    list.append(brace);
    RecordingSurface s;
    int lh = 0;
    brace->draw(s, 0, 0, lh, 0, 0);
    auto texts = s.ofKind(Kind::Text);
    ASSERT_EQ(texts.size(), 4u);
    // The text row starts below the whole fraction: rowGap + 40, not rowGap + 1 * 10.
    EXPECT_EQ(texts[3]->t, 4 + 40);
    EXPECT_EQ(brace->height(), 40 + 4 + 10 + 4);
}

TEST(GroupItems, EmptyGroupsHaveNoWidth) {
    ItemList list;
    auto* row = newItem<RowItem>(0);
    auto* brace = newItem<BraceItem>(0);
    list.append(row);
    list.append(brace);
    EXPECT_EQ(row->width(), 0);
    EXPECT_EQ(row->height(), 0);
    EXPECT_EQ(brace->width(), 0);
    EXPECT_EQ(brace->height(), 0);
}
