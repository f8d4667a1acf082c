// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "allocation_count.h"
#include "gfx/recording_surface.h"
#include "item_helpers.h"

using namespace yhb;
using test::text;
using Kind = RecordingSurface::Kind;

namespace {

FractionItem* fraction(ItemList& list, const std::string& num, const std::string& den, int h, int w) {
    text(list, num);
    text(list, den);
    auto parts = list.takeLast(2);
    auto* f = newItem<FractionItem>(parts[0], parts[1]);
    f->setFontSize(h, w);
    list.append(f);
    return f;
}

} // namespace

TEST(ItemList, EmptyListMeasuresTheLineGap) {
    ItemList list;
    RecordingSurface s;
    EXPECT_EQ(list.measure(100), 4);
    EXPECT_EQ(list.draw(s, 0, 10, 100, 100), 14);
}

TEST(ItemList, LongTextWrapsAtDoubleByteBoundaries) {
    ItemList list;
    // 5 ASCII bytes then Chinese: at 6 px per cell a 48-pixel line takes 8 cells.
    text(list, "abcde一二三四五六");
    RecordingSurface s;
    const int bottom = list.draw(s, 0, 0, 48, 0);
    auto texts = s.ofKind(Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    // 8 cells would cut 二 in half: the first piece takes 7 bytes.
    EXPECT_EQ(texts[0]->text, "abcde一");
    EXPECT_EQ(texts[1]->text, "二三四五");
    EXPECT_EQ(texts[2]->text, "六");
    for (auto* t : texts) EXPECT_EQ(t->l, 0); // every later piece starts a new line
    EXPECT_EQ(texts[1]->t, 14);
    EXPECT_EQ(texts[2]->t, 28);
    EXPECT_EQ(bottom, 3 * 14);
    EXPECT_EQ(list.measure(48), bottom);
}

TEST(ItemList, NarrowAreaGetsTheOverflowMark) {
    ItemList list;
    text(list, "abcdef");
    RecordingSurface s;
    EXPECT_EQ(list.measure(5), 4 + 10 + 4); // narrower than one cell: one line
    list.draw(s, 0, 0, 5, 0);
    auto texts = s.ofKind(Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->text, "abcdef"); // painted whole
    EXPECT_EQ(texts[1]->text, "...");
    EXPECT_EQ(texts[1]->l, 5 - 18);
    EXPECT_EQ(texts[1]->mode, BkMode::Opaque);
    EXPECT_EQ(texts[1]->font, kSystemFont);
    EXPECT_EQ(s.bkMode(), BkMode::Transparent);
}

TEST(ItemList, CompositesMoveToTheNextLineOrOverflow) {
    ItemList list;
    text(list, "abcd");                         // 24 px
    FractionItem* f = fraction(list, "123", "4", 20, 6); // 20 px wide
    RecordingSurface s;
    list.draw(s, 0, 0, 40, 0);
    auto texts = s.ofKind(Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    // 20 > 16 left: the fraction goes to a new line, at the left edge.
    EXPECT_EQ(texts[1]->l, (20 / 2) - 9);
    EXPECT_EQ(texts[1]->t, 10 + 4 - 1);
    EXPECT_EQ(list.measure(40), 10 + 4 + 20 + 4);

    // Exactly as wide as the area: a line of its own, no mark.
    ItemList exact;
    fraction(exact, "123", "4", 20, 6);
    text(exact, "z");
    RecordingSurface s2;
    exact.draw(s2, 0, 0, 20, 0);
    auto t2 = s2.ofKind(Kind::Text);
    ASSERT_EQ(t2.size(), 3u);
    EXPECT_EQ(t2[2]->text, "z");
    EXPECT_EQ(t2[2]->t, 20 + 4);

    // Wider than the area: painted, marked, then a line break.
    RecordingSurface s3;
    exact.draw(s3, 0, 0, 15, 0);
    auto t3 = s3.ofKind(Kind::Text);
    ASSERT_EQ(t3.size(), 4u);
    EXPECT_EQ(t3[2]->text, "...");
    EXPECT_EQ(t3[3]->t, 24);
    (void)f;
}

TEST(ItemList, EmptyTextBreaksTheLine) {
    ItemList list;
    text(list, "ab");
    text(list, "");
    text(list, "cd");
    RecordingSurface s;
    list.draw(s, 5, 0, 100, 0);
    auto texts = s.ofKind(Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1]->l, 5);
    EXPECT_EQ(texts[1]->t, 14);
    EXPECT_EQ(list.measure(100), 28);
}

TEST(ItemList, ClearReleasesEverythingItOwns) {
    const int before = itemPool().liveBlocks();
    {
        ItemList list;
        fraction(list, "1", "2", 20, 6);
        text(list, "x");
        EXPECT_EQ(list.count(), 2);
        EXPECT_EQ(list.ownedCount(), 4);
        EXPECT_EQ(itemPool().liveBlocks(), before + 4);
        list.clear();
        EXPECT_EQ(itemPool().liveBlocks(), before);
        EXPECT_EQ(list.measure(100), 4);
    }
    EXPECT_EQ(itemPool().liveBlocks(), before);
}

TEST(ItemList, TakeFromMovesOwnershipOnce) {
    const int before = itemPool().liveBlocks();
    {
        ItemList a, b;
        fraction(a, "1", "2", 20, 6);
        text(b, "old");
        b.takeFrom(a);
        EXPECT_EQ(itemPool().liveBlocks(), before + 3); // b's old item released
        EXPECT_EQ(a.count(), 0);
        EXPECT_EQ(a.ownedCount(), 0);
        EXPECT_EQ(b.count(), 1);
        EXPECT_EQ(b.ownedCount(), 3);
        text(a, "new"); // the source still takes items
        a.clear();
        EXPECT_EQ(itemPool().liveBlocks(), before + 3);
    }
    EXPECT_EQ(itemPool().liveBlocks(), before);
}

TEST(ItemList, GrowsPastItsInitialCapacity) {
    ItemList list(50);
    for (int i = 0; i < 51; ++i) text(list, "a");
    EXPECT_EQ(list.removeAt(52), nullptr);
    EXPECT_EQ(list.count(), 51);
    DrawItem* second = list.at(1);
    EXPECT_EQ(list.removeAt(2), second);
    EXPECT_EQ(list.count(), 50);
    EXPECT_EQ(list.ownedCount(), 51);
}

TEST(ItemList, ALargeListCopiesLinearly) {
    constexpr int n = 100050; // a question of some 500 KB
    std::vector<DrawItem*> items;
    for (int i = 0; i < n; ++i) items.push_back(newItem<TextItem>("a"));
    ItemList list(800);
    std::size_t newBytes = 0;
    {
        const test::AllocationCount count;
        for (DrawItem* item : items) list.append(item);
        newBytes = count.bytes();
    }
    EXPECT_EQ(list.count(), n);
    // Two arrays of n pointers: doubling allocates about twice that in all. Growing the
    // storage itself by 800 entries allocated (and copied) some 100 MB here.
    EXPECT_LT(newBytes, 4 * 2 * n * sizeof(DrawItem*));
}

TEST(ItemList, SetFontSizeAndCharCountCoverTheTopLevel) {
    ItemList list;
    fraction(list, "123", "4", 20, 6);
    text(list, "ab中");
    EXPECT_EQ(list.charCount(), 3 + 4);
    list.setFontSize(8, 30); // (width, height)
    EXPECT_EQ(list.at(1)->charWidth, 8);
    EXPECT_EQ(list.at(1)->charHeight, 30);
    EXPECT_EQ(static_cast<FractionItem*>(list.at(0))->numerator->charHeight, 15);
}
