// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

namespace yhb {

// Antialiased strokes onto 32-bit pixels: each segment covers, column by column along its
// major axis, the span of the pen's width across it, each pixel as much as the span covers
// it; where segments meet the pen is round. A pixel reached by two segments of a stroke keeps
// the larger coverage and is blended once, so that joints come out no darker than the rest.
class SmoothStroke {
public:
    void begin(std::uint32_t* bits, int stride, int width, int height, double penWidth, std::uint32_t colour);
    // Device coordinates, pixel centres at half-integers. An end that joins another segment
    // of the stroke is rounded by the pen; a free end is cut square.
    void segment(double ax, double ay, double bx, double by, bool joinStart = false, bool joinEnd = false);
    // Asks for the pixels about (x, y) ahead of time: strokes wander over the whole image, and
    // waiting for memory is what costs here.
    void prefetch(double x, double y) const;

private:
    // `coverage` 1 to 255; `joint`: the pixel lies where another segment may reach it too.
    void cover(int x, int y, int coverage, bool joint);
    void part(bool xMajor, int m, int n, int other, double amount, bool joint);

    std::uint32_t* bits_ = nullptr;
    int stride_ = 0, width_ = 0, height_ = 0;
    double half_ = 0.5;
    int r_ = 0, g_ = 0, b_ = 0;
    std::uint32_t pen_ = 0;
    // The pixels of joints reached lately, by position, with their colour from before the
    // stroke; neighbouring segments meet only there.
    struct Recent {
        std::uint32_t stroke = 0, index = 0, original = 0;
        int coverage = 0;
    };
    std::vector<Recent> recent_ = std::vector<Recent>(4096);
    std::uint32_t stroke_ = 0;
};

} // namespace yhb
