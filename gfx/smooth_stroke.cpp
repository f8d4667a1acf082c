// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/smooth_stroke.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace yhb {

namespace {

inline int div255(int n) { return (n * 0x8081) >> 23; } // exact for 0 <= n <= 65535

inline std::uint32_t blend(int r, int g, int b, std::uint32_t ground, int c) {
    const int dr = static_cast<int>((ground >> 16) & 0xFF), dg = static_cast<int>((ground >> 8) & 0xFF), db = static_cast<int>(ground & 0xFF);
    const int nr = div255(r * c + dr * (255 - c) + 127), ng = div255(g * c + dg * (255 - c) + 127), nb = div255(b * c + db * (255 - c) + 127);
    return 0xFF000000u | (static_cast<std::uint32_t>(nr) << 16) | (static_cast<std::uint32_t>(ng) << 8) | static_cast<std::uint32_t>(nb);
}

} // namespace

void SmoothStroke::begin(std::uint32_t* bits, int stride, int width, int height, double penWidth, std::uint32_t colour) {
    bits_ = bits;
    stride_ = stride;
    width_ = width;
    height_ = height;
    half_ = std::max(penWidth, 1.0) / 2;
    r_ = static_cast<int>((colour >> 16) & 0xFF);
    g_ = static_cast<int>((colour >> 8) & 0xFF);
    b_ = static_cast<int>(colour & 0xFF);
    pen_ = 0xFF000000u | (colour & 0xFFFFFFu);
    if (++stroke_ == 0) { // the stroke numbers wrap: forget every pixel
        std::fill(recent_.begin(), recent_.end(), Recent{});
        stroke_ = 1;
    }
}

__attribute__((always_inline)) inline void SmoothStroke::cover(int x, int y, int c, bool joint) {
    std::uint32_t* px = reinterpret_cast<std::uint32_t*>(reinterpret_cast<unsigned char*>(bits_) + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_)) + x;
    if (!joint) { // only this segment reaches here
        *px = c == 255 ? pen_ : blend(r_, g_, b_, *px, c);
        return;
    }
    const std::uint32_t index = static_cast<std::uint32_t>(y) * static_cast<std::uint32_t>(width_) + static_cast<std::uint32_t>(x);
    Recent& slot = recent_[(index * 2654435761u) >> 20];
    std::uint32_t ground = *px;
    if (slot.stroke == stroke_ && slot.index == index) {
        // Reached again where segments meet: the larger coverage, blended once over the ground.
        if (c <= slot.coverage) return;
        ground = slot.original;
    } else {
        slot.stroke = stroke_;
        slot.index = index;
        slot.original = ground;
    }
    slot.coverage = c;
    *px = c == 255 ? pen_ : blend(r_, g_, b_, ground, c);
}

// A pixel at the edge of a span: `amount` of it covered.
__attribute__((always_inline)) inline void SmoothStroke::part(bool xMajor, int m, int n, int other, double amount, bool joint) {
    const int c = static_cast<int>(amount * 255 + 0.5);
    if (c <= 0 || n < 0 || n >= other) return;
    if (xMajor) cover(m, n, c, joint);
    else cover(n, m, c, joint);
}

void SmoothStroke::prefetch(double x, double y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
    __builtin_prefetch(reinterpret_cast<const unsigned char*>(bits_) + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_) +
                       static_cast<std::size_t>(x) * 4);
}

// Along the segment's major axis, one column (or row) per pixel whose centre lies between the
// ends: across it the pen covers a span of the line's thickness measured along the minor
// axis, and each pixel gets the part of it that the span covers. Where the segment joins
// another it reaches on by half the pen, so that no pixel of the joint is left out; only the
// columns near such an end can be reached twice.
void SmoothStroke::segment(double ax, double ay, double bx, double by, bool joinStart, bool joinEnd) {
    if (!bits_ || width_ <= 0 || height_ <= 0) return;
    const bool xMajor = std::fabs(bx - ax) >= std::fabs(by - ay);
    double a0 = xMajor ? ax : ay, a1 = xMajor ? bx : by; // along
    double c0 = xMajor ? ay : ax, c1 = xMajor ? by : bx; // across
    bool join0 = joinStart, join1 = joinEnd;
    if (a1 < a0) {
        std::swap(a0, a1);
        std::swap(c0, c1);
        std::swap(join0, join1);
    }
    const double slope = a1 > a0 ? (c1 - c0) / (a1 - a0) : 0.0;
    const double half = half_ * std::sqrt(1 + slope * slope);
    const int limit = xMajor ? width_ : height_, other = xMajor ? height_ : width_;
    const int m0 = std::max(static_cast<int>(std::ceil(a0 - (join0 ? half_ : 0.0) - 0.5)), 0);
    const int m1 = std::min(static_cast<int>(std::floor(a1 + (join1 ? half_ : 0.0) - 0.5)), limit - 1);
    // The neighbour's pen reaches this far into the segment from a joined end.
    const double zone = 2 * half_ + 2, inf = std::numeric_limits<double>::infinity();
    const double joint0 = join0 ? a0 + zone : -inf, joint1 = join1 ? a1 - zone : inf;
    for (int m = m0; m <= m1; ++m) {
        const double along = m + 0.5;
        const bool joint = along < joint0 || along > joint1;
        // Beyond a joined end the pen is round: a disc about the end point.
        const double beyond = along < a0 ? a0 - along : along > a1 ? along - a1 : 0.0;
        if (beyond >= half_) continue;
        const double mid = c0 + std::clamp(along - a0, 0.0, a1 - a0) * slope;
        const double reach = beyond > 0 ? std::sqrt(half_ * half_ - beyond * beyond) : half;
        // The span [lo, hi) across: a partly covered pixel at each end, whole ones between.
        const double lo = mid - reach, hi = mid + reach;
        const int first = static_cast<int>(std::floor(lo)), last = static_cast<int>(std::floor(hi));
        if (first == last) {
            part(xMajor, m, first, other, hi - lo, joint);
            continue;
        }
        part(xMajor, m, first, other, first + 1 - lo, joint);
        for (int n = std::max(first + 1, 0); n < std::min(last, other); ++n) {
            if (xMajor) cover(m, n, 255, joint);
            else cover(n, m, 255, joint);
        }
        part(xMajor, m, last, other, hi - last, joint);
    }
}

} // namespace yhb
