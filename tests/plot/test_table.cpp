// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "gfx/cp936.h"
#include "items/draw_items.h"
#include "plot/expression_table.h"

using namespace yhb;

namespace {

void store(ExpressionTable& t, int row, Family kind, const char* label) {
    t.resetSlot(row);
    ExpressionSlot& s = t.slot(row);
    s.kind = kind;
    s.colourIndex = t.allocateColour();
    s.params[0] = familyId(kind);
    s.extraCount = 1;
    s.extras[0].plotOp = PlotOp::PointMark;
    s.extras[0].params[0] = familyId(kind);
    s.labels.append(newItem<TextItem>(label));
}

} // namespace

TEST(ExpressionTable, ColoursGoToTheLowestFreeIndex) {
    ExpressionTable t;
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(t.allocateColour(), i);
    EXPECT_EQ(t.allocateColour(), 0); // all taken: nothing changes
    t.colourInUse[3] = 0;
    EXPECT_EQ(t.allocateColour(), 3);
}

TEST(ExpressionTable, DeletingARowMovesTheLaterRowsDownWithEverythingTheyHold) {
    ExpressionTable t;
    for (int r = 0; r < 3; ++r) store(t, r, familyOfId(32773 + r), r == 0 ? "a" : r == 1 ? "b" : "c");
    t.slotCount = 3;
    t.deleteSlot(0);
    EXPECT_EQ(t.slotCount, 2);
    EXPECT_EQ(t.slot(0).kind, Family::PointSlope);
    EXPECT_EQ(t.slot(1).kind, Family::TwoPoint);
    EXPECT_EQ(t.slot(0).colourIndex, 2);
    EXPECT_EQ(t.slot(1).colourIndex, 3);
    EXPECT_EQ(t.slot(0).extras[0].params[0], 32774);
    ASSERT_EQ(t.slot(0).labels.count(), 1);
    EXPECT_EQ(static_cast<TextItem*>(t.slot(0).labels.at(0))->text, "b");
    EXPECT_EQ(t.slot(2).labels.count(), 0); // moved away, not copied
    EXPECT_EQ(t.slot(2).colourIndex, 0);
    EXPECT_EQ(t.colourInUse[1], 0);
    // The freed colour is the next one given.
    EXPECT_EQ(t.allocateColour(), 1);
}

TEST(ExpressionTable, DeletingTheOnlyRowEmptiesTheTableAndIgnoresRowsNotInUse) {
    ExpressionTable t;
    store(t, 0, Family::SlopeIntercept, "a");
    t.slotCount = 1;
    t.deleteSlot(3); // not in use: nothing
    EXPECT_EQ(t.slotCount, 1);
    t.deleteSlot(0);
    EXPECT_EQ(t.slotCount, 0);
    EXPECT_EQ(t.colourInUse[1], 0);
}

TEST(ExpressionTable, ResetClearsTheRowAndReleasesItsColour) {
    ExpressionTable t;
    store(t, 0, Family::EllipseX, "x");
    t.resetSlot(0);
    const ExpressionSlot& s = t.slot(0);
    EXPECT_EQ(s.kind, Family::None);
    EXPECT_EQ(s.extraCount, 0);
    EXPECT_EQ(s.colourIndex, 0);
    EXPECT_EQ(s.labels.count(), 0);
    EXPECT_EQ(s.params[0], 0.0);
    EXPECT_EQ(t.colourInUse[1], 0);
}
