// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace yhb {

// A rectangle of pixels: [x, x + width) x [y, y + height).
struct Rect {
    int x = 0, y = 0, width = 0, height = 0;

    static Rect fromEdges(int left, int top, int right, int bottom) { return {left, top, right - left, bottom - top}; }
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool overlaps(const Rect& o) const { return x < o.right() && o.x < right() && y < o.bottom() && o.y < bottom(); }
    bool contains(const Rect& o) const { return o.x >= x && o.y >= y && o.right() <= right() && o.bottom() <= bottom(); }
    bool operator==(const Rect& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};

} // namespace yhb
