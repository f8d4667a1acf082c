// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "model/main_layout.h"

using namespace yhb;

TEST(MainLayout, CanvasToolbarAndRows) {
    MainLayout l = computeLayout(420, 370, false, {10, 0});
    EXPECT_EQ(l.q, 100);
    EXPECT_EQ(l.canvas, (Rect{10, 60, 300, 300}));
    EXPECT_EQ(l.toolbar[0].x, 30);
    EXPECT_EQ(l.toolbar[2].x, 230);
    EXPECT_EQ(l.rowHeight, 60);
    EXPECT_EQ(l.labelFontHeight, 30);
    ASSERT_EQ(l.rows.size(), 2u);
    EXPECT_EQ(l.rows[0].modify, (Rect{340, 40, 30, 30}));
    EXPECT_EQ(l.rows[1].remove, (Rect{380, 100, 30, 30}));
    EXPECT_EQ(l.rows[0].labelCharWidth, 9); // (420 - 300 - 30) / 10
    EXPECT_TRUE(l.rows[0].drawLabel);
    EXPECT_FALSE(l.rows[1].drawLabel); // no characters: no label, no division
}

TEST(MainLayout, SmallAndFullScreen) {
    MainLayout l = computeLayout(600, 300, false, {4});
    EXPECT_EQ(l.canvas, (Rect{10, 60, 435, 230}));
    EXPECT_EQ(l.rowHeight, 46);
    EXPECT_EQ(l.labelFontHeight, 16);
    l = computeLayout(600, 220, false, {4});
    EXPECT_FALSE(l.rows[0].drawLabel);
    l = computeLayout(800, 600, true, {4});
    EXPECT_EQ(l.canvas, (Rect{0, 0, 800, 600}));
    EXPECT_TRUE(l.rows.empty());
}
