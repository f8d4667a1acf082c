// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <vector>

#include "gfx/rect.h"
#include "gfx/surface.h"

namespace yhb {

// Finds a place for each caption of a picture, one after the other: beside its anchor (a
// point's mark, or a spot on a line), never over another caption, an obstacle (axis numbers,
// point marks) or outside the bounds, and where it covers the fewest curve pixels, nearer
// places first among equals. Coordinates are the picture's pixels.
class CaptionPlacer {
public:
    explicit CaptionPlacer(Rect bounds);

    void addObstacle(const Rect& r) { obstacles_.push_back(r); }
    // A drawn stroke; clipped to the bounds.
    void addStroke(Point a, Point b);
    // A drawn polyline, each point moved by `offset`: as its strokes one by one, but a sampled
    // curve's thousands of pixel steps mostly stay in one cell, so each cell is marked once.
    void addPolyline(const Point* pts, int count, Point offset);
    // The box chosen for a w x h caption beside one of `anchors` (tried in their order); it
    // becomes an obstacle for the captions placed after it. Empty where no free place lies
    // inside the bounds: a caption over another is read as neither, so it is left out. The
    // next caption keeps a space's width from it.
    // `ownLine`, when given, is the stroke the caption names (a directrix): never written across.
    std::optional<Rect> place(const std::vector<Rect>& anchors, int w, int h, const Rect* ownLine = nullptr);

    // The curve cells under a box; for tests.
    int coverage(const Rect& box) const;

private:
    static constexpr int kCell = 4;
    void mark(int c, int r);
    Rect bounds_;
    int columns_, rows_;
    std::vector<unsigned char> cells_;
    // Marked cells above and left of each corner, (columns_ + 1) x (rows_ + 1): a box's
    // coverage in four reads. Rebuilt when a stroke came since.
    mutable std::vector<int> sums_;
    mutable bool sumsStale_ = true;
    std::vector<Rect> obstacles_;
    std::vector<Rect> near_; // the obstacles near the anchors of the caption being placed
};

} // namespace yhb
