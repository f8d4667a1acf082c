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
        for (const Rect& box : placed) EXPECT_TRUE(beside(box, 2 * 16 + 4)) << box.x << "," << box.y; // two heights and the gap
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
    // Nor do two touch: A₂(3,0)A₂(5,0) side by side read as one caption. A space's width
    // (a quarter of the height) lies between any two on one line.
    for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            const Rect& a = placed[i];
            const Rect& b = placed[j];
            EXPECT_FALSE(a.overlaps(b)) << i << " " << j;
            const bool sameLine = a.y < b.bottom() && b.y < a.bottom();
            if (sameLine) {
                EXPECT_GE(std::max(b.x - a.right(), a.x - b.right()), 4) << i << " " << j;
            }
        }
}

// A directrix's caption beside its line, never across it: across, it hides where the line
// runs. With the places right and left of the spot taken, the cheapest place straddles the
// line (one line's cells cost less than a step out); told the line, the placer steps out.
TEST(CaptionPlacer, ACaptionNeverCrossesTheLineItNames) {
    const Rect spot{100, 150, 0, 0};
    const Rect line = Rect::fromEdges(99, 0, 102, 300);
    auto placer = [] {
        CaptionPlacer p({0, 0, 400, 300});
        p.addStroke({100, 0}, {100, 300});
        p.addObstacle({146, 120, 150, 55}); // clear of the boxes that straddle the line
        p.addObstacle({0, 120, 55, 55});
        return p;
    };
    CaptionPlacer blind = placer();
    EXPECT_TRUE(blind.place({spot}, 60, 16).value().overlaps(line)); // the case this guards against
    CaptionPlacer told = placer();
    const Rect box = told.place({spot}, 60, 16, &line).value();
    EXPECT_FALSE(box.overlaps(line)) << box.x << "," << box.y;
    EXPECT_LE(std::max({0, line.x - box.right(), box.x - line.right()}), 2 * 16 + 4); // two heights and the gap
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

// A sampled curve comes as one polyline of pixel steps, now and then a jump; it must leave the
// same curve cells as its strokes one by one, wherever it starts or leaves the bounds.
TEST(CaptionPlacer, APolylineCoversWhatItsStrokesCover) {
    std::vector<Point> pts{{-30, 50}, {-30, 50}, {-2, 52}, {1, 53}, {2, 53}, {2, 53}, {3, 55}, {40, 90}, {41, 91}, {43, 91},
                           {43, 92}, {200, 299}, {205, 310}, {390, 20}, {391, 21}, {395, 18}};
    for (int x = 100; x < 300; x += 3) pts.push_back({x, 150 + (x % 7)});
    const Point offset{7, -3};
    CaptionPlacer one({0, 0, 400, 300}), each({0, 0, 400, 300});
    one.addPolyline(pts.data(), static_cast<int>(pts.size()), offset);
    for (std::size_t i = 1; i < pts.size(); ++i)
        if (pts[i] != pts[i - 1])
            each.addStroke({pts[i - 1].x + offset.x, pts[i - 1].y + offset.y}, {pts[i].x + offset.x, pts[i].y + offset.y});
    for (int y = 0; y < 300; y += 4)
        for (int x = 0; x < 400; x += 4) ASSERT_EQ(one.coverage({x, y, 4, 4}), each.coverage({x, y, 4, 4})) << x << "," << y;
    EXPECT_GT(one.coverage({0, 0, 400, 300}), 60);

    // A polyline that never moves draws nothing.
    CaptionPlacer still({0, 0, 400, 300});
    const Point dot[] = {{50, 50}, {50, 50}};
    still.addPolyline(dot, 2, {0, 0});
    EXPECT_EQ(still.coverage({0, 0, 400, 300}), 0);
}
