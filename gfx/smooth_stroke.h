#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace yhb {

// Antialiased strokes onto 32-bit pixels: each segment covers, column by column along its
// major axis, the span of the pen's width across it, each pixel as much as the span covers
// it. Within one stroke a pixel reached twice (where segments meet) adds up its coverage and
// is blended once, so that joints come out neither darker nor speckled.
class SmoothStroke {
public:
    void begin(std::uint32_t* bits, int stride, int width, int height, double penWidth, std::uint32_t colour);
    // Device coordinates, pixel centres at half-integers. An end that joins another segment
    // of the stroke reaches on by half the pen; a free end is cut square.
    void segment(double ax, double ay, double bx, double by, bool joinStart = false, bool joinEnd = false);
    // Asks for the pixels about (x, y) ahead of time: strokes wander over the whole image, and
    // waiting for memory is what costs here.
    void prefetch(double x, double y) const;

    // What lies under the strokes, so that blending need not read it back from memory: the
    // whole image was just filled with `colour`; a rectangle was drawn over by something else
    // ([x0, x1) x [y0, y1), device pixels); nothing is known.
    void groundIs(std::uint32_t colour, int width, int height);
    void drawnOver(int x0, int y0, int x1, int y1);
    void groundUnknown() { groundKnown_ = false; }

private:
    void cover(int x, int y, int coverage); // 1 to 255

    std::uint32_t* bits_ = nullptr;
    int stride_ = 0, width_ = 0, height_ = 0;
    double half_ = 0.5;
    int r_ = 0, g_ = 0, b_ = 0;
    // The pixels reached lately, by position: segments meet only their neighbours, so a small
    // table finds a pixel reached twice, with its colour from before the stroke.
    struct Recent {
        std::uint32_t stroke = 0, index = 0, original = 0;
        int coverage = 0;
    };
    std::vector<Recent> recent_ = std::vector<Recent>(4096);
    std::uint32_t stroke_ = 0;
    // One bit per pixel: set where anything but the fill has been drawn.
    bool groundKnown_ = false;
    std::uint32_t ground_ = 0;
    int groundWidth_ = 0, groundHeight_ = 0;
    std::vector<std::uint64_t> drawn_;
    // The pen blended over the ground at each coverage, for the pixels still clean.
    std::array<std::uint32_t, 256> overGround_{};
    std::uint32_t tableColour_ = 0, tableGround_ = 0;
    bool tableValid_ = false;
};

} // namespace yhb
