// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/caption_placer.h"

using namespace yhb;

namespace {
const Rect kMark{96, 96, 8, 8}; // a point's mark around (100, 100)

// Close to the mark: its box reaches within a caption's height of the mark.
bool beside(const Rect& box, int h) {
    return box.x < kMark.right() + h && box.right() > kMark.x - h && box.y < kMark.bottom() + h && box.bottom() > kMark.y - h;
}
} // namespace

TEST(CaptionPlacer, BesideThePointOffTheCurveAndClearOfWhatIsThere) {
    // Free plane: right above the point, as a textbook writes it.
    {
        CaptionPlacer p({0, 0, 400, 300});
        p.addObstacle(kMark);
        const Rect box = p.place({kMark}, 60, 16).value();
        EXPECT_GE(box.x, kMark.right());
        EXPECT_LE(box.bottom(), kMark.y + 4);
    }
    // A curve running through that place: the caption moves to a free side, still beside.
    {
        CaptionPlacer p({0, 0, 400, 300});
        p.addObstacle(kMark);
        p.addStroke({100, 90}, {300, 90});
        const Rect box = p.place({kMark}, 60, 16).value();
        EXPECT_EQ(p.coverage(box), 0);
        EXPECT_TRUE(beside(box, 16));
    }
    // Axis numbers on the right and the canvas edge on the left: no overlap, inside.
    {
        CaptionPlacer p({90, 0, 400, 300});
        p.addObstacle(kMark);
        const Rect number{104, 80, 80, 40};
        p.addObstacle(number);
        const Rect box = p.place({kMark}, 60, 16).value();
        EXPECT_FALSE(box.overlaps(number));
        EXPECT_FALSE(box.overlaps(kMark));
        EXPECT_TRUE(Rect({90, 0, 400, 300}).contains(box));
    }
    // Ten captions for one crowded point: those that find room beside it overlap no other.
    {
        CaptionPlacer p({0, 0, 400, 300});
        p.addObstacle(kMark);
        std::vector<Rect> placed;
        for (int i = 0; i < 10; ++i)
            if (const auto box = p.place({kMark}, 60, 16)) placed.push_back(*box);
        EXPECT_GE(placed.size(), 6u);
        for (const Rect& box : placed) EXPECT_TRUE(beside(box, 2 * 16 + 3)) << box.x << "," << box.y; // two heights and the gap
        for (std::size_t i = 0; i < placed.size(); ++i)
            for (std::size_t j = i + 1; j < placed.size(); ++j) EXPECT_FALSE(placed[i].overlaps(placed[j])) << i << " " << j;
    }
}

// Where every place beside the point is taken, the caption is left out rather than written
// over another one: two captions on top of each other are read as neither.
TEST(CaptionPlacer, LeavesACaptionOutRatherThanOverlapAnother) {
    CaptionPlacer p({0, 0, 200, 120});
    p.addObstacle(kMark);
    std::vector<Rect> placed;
    for (int i = 0; i < 40; ++i)
        if (const auto box = p.place({kMark}, 60, 16)) placed.push_back(*box);
    ASSERT_GE(placed.size(), 3u);
    EXPECT_LT(placed.size(), 40u);
    for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = i + 1; j < placed.size(); ++j) EXPECT_FALSE(placed[i].overlaps(placed[j])) << i << " " << j;
}

// A reader must see which point a caption names: a free place within two caption heights
// wins over a clear one far off, even when the near one lies over a curve.
TEST(CaptionPlacer, KeepsTheCaptionNearItsPointWhenCurvesCrowdIt) {
    CaptionPlacer p({0, 0, 400, 300});
    p.addObstacle(kMark);
    // A ring of curves around the point, out to some three caption heights.
    for (int y = 60; y <= 140; y += 4) p.addStroke({20, y}, {380, y});
    const Rect box = p.place({kMark}, 60, 16).value();
    const int h = 16;
    const int dx = std::max({0, kMark.x - box.right(), box.x - kMark.right()});
    const int dy = std::max({0, kMark.y - box.bottom(), box.y - kMark.bottom()});
    EXPECT_LE(std::max(dx, dy), 2 * h) << box.x << "," << box.y;
}
