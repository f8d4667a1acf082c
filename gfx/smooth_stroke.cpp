// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/smooth_stroke.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace yhb {

namespace {

// The pen's colour over `ground` at coverage c (0..255), each channel rounded to nearest: red
// and blue in one word, green in another.
inline std::uint32_t blend(std::uint32_t pen, std::uint32_t ground, std::uint32_t c) {
    std::uint32_t rb = (pen & 0xFF00FFu) * c + (ground & 0xFF00FFu) * (255 - c) + 0x800080u;
    std::uint32_t g = (pen & 0xFF00u) * c + (ground & 0xFF00u) * (255 - c) + 0x8000u;
    rb = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
    g = ((g + ((g >> 8) & 0xFF00u)) >> 8) & 0xFF00u;
    return 0xFF000000u | rb | g;
}

} // namespace

void SmoothStroke::begin(std::uint32_t* bits, int stride, int width, int height, double penWidth, std::uint32_t colour) {
    bits_ = bits;
    stride_ = stride;
    width_ = width;
    height_ = height;
    half_ = std::max(penWidth, 1.0) / 2;
    pen_ = 0xFF000000u | (colour & 0xFFFFFFu);
    if (++stroke_ == 0) { // the stroke numbers wrap: forget every pixel
        std::fill(recent_.begin(), recent_.end(), Recent{});
        stroke_ = 1;
    }
}

__attribute__((always_inline)) inline void SmoothStroke::cover(int x, int y, int c, bool joint) {
    std::uint32_t* px = reinterpret_cast<std::uint32_t*>(reinterpret_cast<unsigned char*>(bits_) + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_)) + x;
    if (!joint) { // only this segment reaches here
        *px = blend(pen_, *px, static_cast<std::uint32_t>(c));
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
    *px = blend(pen_, ground, static_cast<std::uint32_t>(c));
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

SmoothStroke::End SmoothStroke::joint(double dx1, double dy1, double dx2, double dy2) const {
    const bool x1 = std::fabs(dx1) >= std::fabs(dy1), x2 = std::fabs(dx2) >= std::fabs(dy2);
    if (x1 != x2) return End::Round;
    const double along1 = x1 ? dx1 : dy1, along2 = x2 ? dx2 : dy2;
    // The same way along the axis, turning by less than 20 degrees, and each segment longer
    // than the reach of a round end beyond it: then no pixel is reached by both, and the
    // seam does not show.
    const double reach = half_ + 1.5;
    if (along1 * along2 <= 0 || std::fabs(along1) < reach || std::fabs(along2) < reach) return End::Round;
    const double dot = dx1 * dx2 + dy1 * dy2, cross = dx1 * dy2 - dy1 * dx2;
    return std::fabs(cross) <= 0.36 * dot ? End::Straight : End::Round;
}

// Along the segment's major axis, one column (or row) per pixel whose centre lies between the
// ends: across it the pen covers a span of the line's thickness measured along the minor
// axis, and each pixel gets the part of it that the span covers. At a straight joint the
// column whose centre is the joint belongs to the segment above it along the axis. At a
// round joint the segment reaches on by half the pen, so that no pixel of the joint is left
// out; only the columns near such an end can be reached twice.
void SmoothStroke::segment(double ax, double ay, double bx, double by, End start, End end) {
    if (!bits_ || width_ <= 0 || height_ <= 0) return;
    const bool xMajor = std::fabs(bx - ax) >= std::fabs(by - ay);
    double a0 = xMajor ? ax : ay, a1 = xMajor ? bx : by; // along
    double c0 = xMajor ? ay : ax, c1 = xMajor ? by : bx; // across
    End e0 = start, e1 = end;
    if (a1 < a0) {
        std::swap(a0, a1);
        std::swap(c0, c1);
        std::swap(e0, e1);
    }
    const bool join0 = e0 == End::Round, join1 = e1 == End::Round;
    const double slope = a1 > a0 ? (c1 - c0) / (a1 - a0) : 0.0;
    const double half = half_ * std::sqrt(1 + slope * slope);
    const int limit = xMajor ? width_ : height_, other = xMajor ? height_ : width_;
    const int m0 = std::max(static_cast<int>(std::ceil(a0 - (join0 ? half_ : 0.0) - 0.5)), 0);
    const int m1 = std::min(e1 == End::Straight ? static_cast<int>(std::ceil(a1 - 0.5)) - 1 : static_cast<int>(std::floor(a1 + (join1 ? half_ : 0.0) - 0.5)), limit - 1);
    // The neighbour's round end reaches half the pen past the joint, a partly covered pixel
    // one more: so far into this segment may a pixel be reached twice.
    const double zone = half_ + 1.5, inf = std::numeric_limits<double>::infinity();
    const double joint0 = join0 ? a0 + zone : -inf, joint1 = join1 ? a1 - zone : inf;
    // Near a joined end a pixel may be reached twice and the pen is round; there each pixel
    // goes through `cover`. Elsewhere a column whose span lies inside the image is written
    // directly: most of a curve's columns.
    const auto edge = [&](int m) {
        const double along = m + 0.5;
        const bool joint = along < joint0 || along > joint1;
        // Beyond a joined end the pen is round: a disc about the end point.
        const double beyond = along < a0 ? a0 - along : along > a1 ? along - a1 : 0.0;
        if (beyond >= half_) return;
        const double mid = c0 + std::clamp(along - a0, 0.0, a1 - a0) * slope;
        const double reach = beyond > 0 ? std::sqrt(half_ * half_ - beyond * beyond) : half;
        // The span [lo, hi) across: a partly covered pixel at each end, whole ones between.
        const double lo = mid - reach, hi = mid + reach;
        const int first = static_cast<int>(std::floor(lo)), last = static_cast<int>(std::floor(hi));
        if (first == last) {
            part(xMajor, m, first, other, hi - lo, joint);
            return;
        }
        part(xMajor, m, first, other, first + 1 - lo, joint);
        for (int n = std::max(first + 1, 0); n < std::min(last, other); ++n) {
            if (xMajor) cover(m, n, 255, joint);
            else cover(n, m, 255, joint);
        }
        part(xMajor, m, last, other, hi - last, joint);
    };
    // The columns with no joint and no round end: their centres lie in [a0, a1], outside
    // both joint zones.
    int f0 = std::max(m0, static_cast<int>(std::ceil(std::max(a0, joint0) - 0.5)));
    int f1 = std::min(m1, static_cast<int>(std::floor(std::min(a1, joint1) - 0.5)));
    if (f0 > f1) f0 = m1 + 1, f1 = m1; // a short segment: all of it near its ends
    for (int m = m0; m < f0; ++m) edge(m);
    // Pixel (m, n) of the major and minor axes, in bytes from the first.
    const std::size_t stepMajor = xMajor ? 4 : static_cast<std::size_t>(stride_), stepMinor = xMajor ? static_cast<std::size_t>(stride_) : 4;
    unsigned char* const origin = reinterpret_cast<unsigned char*>(bits_);
    const auto amount = [](double a) { return static_cast<std::uint32_t>(static_cast<int>(a * 255 + 0.5)); };
    for (int m = f0; m <= f1; ++m) {
        const double mid = c0 + (m + 0.5 - a0) * slope, lo = mid - half, hi = mid + half;
        if (!(lo >= 0 && hi < other)) {
            edge(m);
            continue;
        }
        const int first = static_cast<int>(lo), last = static_cast<int>(hi); // floor: both >= 0
        unsigned char* const column = origin + static_cast<std::size_t>(m) * stepMajor;
        auto* px = reinterpret_cast<std::uint32_t*>(column + static_cast<std::size_t>(first) * stepMinor);
        if (first == last) {
            *px = blend(pen_, *px, amount(hi - lo));
            continue;
        }
        *px = blend(pen_, *px, amount(first + 1 - lo));
        for (int n = first + 1; n < last; ++n) *reinterpret_cast<std::uint32_t*>(column + static_cast<std::size_t>(n) * stepMinor) = pen_;
        px = reinterpret_cast<std::uint32_t*>(column + static_cast<std::size_t>(last) * stepMinor);
        *px = blend(pen_, *px, amount(hi - last));
    }
    for (int m = f1 + 1; m <= m1; ++m) edge(m);
}

} // namespace yhb
