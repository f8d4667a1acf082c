// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace yhb {

// Colours are kept as 0x00BBGGRR, the way the drawing code has always passed them around.
using Colour = std::uint32_t;

constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int red(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int green(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kGrey = rgb(128, 128, 128);

// "rrggbb", as the trace and SVG output write colours.
void formatHex(Colour c, char out[7]);

// Relative luminance of an sRGB colour, 0 (black) to 1 (white), and the contrast ratio of two
// colours, (L1 + 0.05) / (L2 + 0.05) with the lighter on top: 1 to 21.
double relativeLuminance(Colour c);
double contrastRatio(Colour a, Colour b);

} // namespace yhb
