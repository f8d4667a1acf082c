// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

namespace yhb {

// Antialiased strokes onto 32-bit pixels: each segment covers, column by column along its
// major axis, the span of the pen's width across it, each pixel as much as the span covers
// it. Where the stroke runs on almost straight, the next segment takes over from the next
// column; where it turns, the pen is round, and a pixel reached by both segments keeps the
// larger coverage and is blended once, so that joints come out no darker than the rest.
class SmoothStroke {
public:
    // How an end of a segment meets the next segment of the stroke.
    enum class End : unsigned char {
        Free,     // the stroke ends here: cut square
        Round,    // the stroke turns here
        Straight, // it runs on along the same axis, turning a little: the columns are shared out
    };

    void begin(std::uint32_t* bits, int stride, int width, int height, double penWidth, std::uint32_t colour);
    // The joint between a segment (dx1, dy1) and the next (dx2, dy2) of this stroke's pen.
    End joint(double dx1, double dy1, double dx2, double dy2) const;
    // Device coordinates, pixel centres at half-integers; both segments at a joint must be
    // given the same End for it.
    void segment(double ax, double ay, double bx, double by, End start = End::Free, End end = End::Free);
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
