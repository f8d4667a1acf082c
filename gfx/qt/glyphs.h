// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace yhb {

// One character drawn into its cells: coverage 0..255 per device pixel, cells wide.
struct GlyphMask {
    int width = 0, height = 0;
    std::vector<std::uint8_t> alpha;
};

// The character (CP936 bytes: one, or two for a double-byte character) as a font of the given
// device height and average glyph width draws it: proportional under one horizontal scale per
// font, centred in its `cellWidth` device pixels, narrowed only when it would leave them, and
// antialiased. Masks are cached.
const GlyphMask& glyphMask(std::string_view character, int cellWidth, int height, double averageWidth);

} // namespace yhb
