#include "gfx/smooth_stroke.h"

#include <algorithm>
#include <cmath>

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
    if (++stroke_ == 0) { // the stroke numbers wrap: forget every pixel
        std::fill(recent_.begin(), recent_.end(), Recent{});
        stroke_ = 1;
    }
    if (groundWidth_ != width || groundHeight_ != height) groundKnown_ = false;
    if (groundKnown_ && (!tableValid_ || tableColour_ != colour || tableGround_ != ground_)) {
        for (int c = 0; c < 256; ++c) overGround_[static_cast<std::size_t>(c)] = blend(r_, g_, b_, ground_, c);
        tableColour_ = colour;
        tableGround_ = ground_;
        tableValid_ = true;
    }
}

void SmoothStroke::groundIs(std::uint32_t colour, int width, int height) {
    groundKnown_ = true;
    ground_ = colour | 0xFF000000u;
    groundWidth_ = width;
    groundHeight_ = height;
    drawn_.assign((static_cast<std::size_t>(width) * static_cast<std::size_t>(height) + 63) / 64, 0);
}

void SmoothStroke::drawnOver(int x0, int y0, int x1, int y1) {
    if (!groundKnown_) return;
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, groundWidth_);
    y1 = std::min(y1, groundHeight_);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(groundWidth_) + static_cast<std::size_t>(x);
            drawn_[i >> 6] |= std::uint64_t(1) << (i & 63);
        }
}

__attribute__((always_inline)) inline void SmoothStroke::cover(int x, int y, int c) {
    std::uint32_t* px = reinterpret_cast<std::uint32_t*>(reinterpret_cast<unsigned char*>(bits_) + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_)) + x;
    const std::uint32_t index = static_cast<std::uint32_t>(y) * static_cast<std::uint32_t>(width_) + static_cast<std::uint32_t>(x);
    bool clean = false;
    if (groundKnown_) {
        std::uint64_t& word = drawn_[index >> 6];
        const std::uint64_t bit = std::uint64_t(1) << (index & 63);
        clean = !(word & bit);
        word |= bit;
    }
    Recent& slot = recent_[(index * 2654435761u) >> 20];
    if (c == 255) { // the pen's own colour: whatever reaches it again leaves it so
        *px = 0xFF000000u | (static_cast<std::uint32_t>(r_) << 16) | (static_cast<std::uint32_t>(g_) << 8) | static_cast<std::uint32_t>(b_);
        if (slot.stroke == stroke_ && slot.index == index) slot.coverage = 255;
        return;
    }
    if (clean) { // the first stroke over the fill: no blending to work out
        slot = {stroke_, index, ground_, c};
        *px = overGround_[static_cast<std::size_t>(c)];
        return;
    }
    std::uint32_t ground = *px;
    if (slot.stroke == stroke_ && slot.index == index) {
        // Reached again where segments meet: the two parts of the pixel add up (and never
        // past whole), blended once over the ground.
        c = std::min(255, c + slot.coverage);
        ground = slot.original;
    } else {
        slot.stroke = stroke_;
        slot.index = index;
        slot.original = ground;
    }
    slot.coverage = c;
    *px = blend(r_, g_, b_, ground, c);
}

void SmoothStroke::prefetch(double x, double y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
    __builtin_prefetch(reinterpret_cast<const unsigned char*>(bits_) + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_) +
                       static_cast<std::size_t>(x) * 4);
}

// Along the segment's major axis, one column (or row) per pixel whose centre lies between the
// ends: across it the pen covers a span of the line's thickness measured along the minor
// axis, and each pixel gets the part of it that the span covers. Where the segment joins
// another it reaches on by half the pen, so that no pixel of the joint is left out.
void SmoothStroke::segment(double ax, double ay, double bx, double by, bool joinStart, bool joinEnd) {
    if (!bits_ || width_ <= 0 || height_ <= 0) return;
    const bool xMajor = std::fabs(bx - ax) >= std::fabs(by - ay);
    double a0 = xMajor ? ax : ay, a1 = xMajor ? bx : by; // along
    double c0 = xMajor ? ay : ax, c1 = xMajor ? by : bx; // across
    double reach0 = joinStart ? half_ : 0.0, reach1 = joinEnd ? half_ : 0.0;
    if (a1 < a0) {
        std::swap(a0, a1);
        std::swap(c0, c1);
        std::swap(reach0, reach1);
    }
    const double slope = a1 > a0 ? (c1 - c0) / (a1 - a0) : 0.0;
    const double half = half_ * std::sqrt(1 + slope * slope);
    const int limit = xMajor ? width_ : height_, other = xMajor ? height_ : width_;
    const int m0 = std::max(static_cast<int>(std::ceil(a0 - reach0 - 0.5)), 0);
    const int m1 = std::min(static_cast<int>(std::floor(a1 + reach1 - 0.5)), limit - 1);
    auto put = [&](int m, int n, double amount) {
        const int c = static_cast<int>(amount * 255 + 0.5);
        if (c <= 0 || n < 0 || n >= other) return;
        if (xMajor) cover(m, n, c);
        else cover(n, m, c);
    };
    for (int m = m0; m <= m1; ++m) {
        const double mid = c0 + std::clamp(m + 0.5 - a0, 0.0, a1 - a0) * slope;
        // The span [lo, hi) across: a partly covered pixel at each end, whole ones between.
        const double lo = mid - half, hi = mid + half;
        const int first = static_cast<int>(std::floor(lo)), last = static_cast<int>(std::floor(hi));
        if (first == last) {
            put(m, first, hi - lo);
            continue;
        }
        put(m, first, first + 1 - lo);
        for (int n = std::max(first + 1, 0); n < std::min(last, other); ++n) {
            if (xMajor) cover(m, n, 255);
            else cover(n, m, 255);
        }
        put(m, last, hi - last);
    }
}

} // namespace yhb
