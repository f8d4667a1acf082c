// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/surface.h"

namespace yhb {
namespace {

// Advance per pixel of size, roughly a sans face's: narrow punctuation, digits, letters,
// operators, wide letters and CJK.
double advanceOf(char32_t c) {
    if (c >= 0x2E80) return 1.0;
    switch (c) {
    case 'i': case 'j': case 'l': case '.': case ',': case ':': case '(': case ')': case '\'': case ' ':
        return 0.3;
    case 'f': case 't': case 'r': case 'I':
        return 0.38;
    case 'm': case 'w': case 'M': case 'W':
        return 0.85;
    case '+': case '=': case 0x2212: case 0xB7:
        return 0.6;
    default:
        break;
    }
    if (c >= '0' && c <= '9') return 0.55;
    if (c >= 'A' && c <= 'Z') return 0.65;
    return 0.55;
}

} // namespace

TextExtent tableTextExtent(std::string_view utf8, TextStyle style) {
    double units = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = len == 1 ? b : b & (0x3F >> (len - 1));
        for (int k = 1; k < len && i + static_cast<std::size_t>(k) < utf8.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        units += advanceOf(c);
        i += static_cast<std::size_t>(len);
    }
    return {units * style.size, 0.78 * style.size, 0.22 * style.size};
}

} // namespace yhb
